#include "formstorage.h"

#include "inifile.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QWidget>

namespace {
QString g_iniPath;

QString readProp(QWidget* w, const QString& prop)
{
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (prop == QLatin1String("ItemIndex"))
            return QString::number(c->currentIndex());
        if (prop == QLatin1String("Text"))
            return c->currentText();
    }
    if (prop == QLatin1String("Caption") || prop == QLatin1String("Text")) {
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            return b->text();
        if (auto* e = qobject_cast<QLineEdit*>(w))
            return e->text();
    }
    if (prop == QLatin1String("Value"))
        if (auto* s = qobject_cast<QSpinBox*>(w))
            return QString::number(s->value());
    return {};
}

void writeProp(QWidget* w, const QString& prop, const QString& v)
{
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (prop == QLatin1String("ItemIndex")) {
            bool ok = false;
            const int i = v.toInt(&ok);
            if (ok && i >= -1 && i < c->count())
                c->setCurrentIndex(i);
            return;
        }
        if (prop == QLatin1String("Text")) {
            if (c->isEditable())
                c->setEditText(v);
            else
                c->setCurrentText(v);
            return;
        }
    }
    if (prop == QLatin1String("Caption") || prop == QLatin1String("Text")) {
        if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(v);
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(v);
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setText(v);
        return;
    }
    if (prop == QLatin1String("Value"))
        if (auto* s = qobject_cast<QSpinBox*>(w)) {
            bool ok = false;
            const int i = v.toInt(&ok);
            if (ok)
                s->setValue(i);
        }
}
} // namespace

FormStorage::FormStorage(QWidget* form, QString className, QStringList props)
    : m_form(form), m_section(std::move(className)), m_props(std::move(props))
{
}

QString FormStorage::iniPath()
{
    if (!g_iniPath.isEmpty())
        return g_iniPath;
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return exe.absolutePath() + u'/' + exe.completeBaseName() + QStringLiteral(".ini");
}

void FormStorage::setIniPath(const QString& path)
{
    g_iniPath = path;
}

void FormStorage::restore()
{
    const IniFile ini(iniPath());
    for (const QString& p : std::as_const(m_props)) {
        const QString comp = p.section(u'.', 0, 0), prop = p.section(u'.', 1);
        auto* w = comp == m_form->objectName() ? m_form : m_form->findChild<QWidget*>(comp);
        const QString key = comp + u'_' + prop;
        if (!w || !ini.valueExists(m_section, key))
            continue;
        const QSignalBlocker block(w);
        writeProp(w, prop, ini.readString(m_section, key));
    }
}

void FormStorage::save()
{
    IniFile ini(iniPath());
    ini.writeInteger(m_section, QStringLiteral("FormVersion"), 0);
    for (const QString& p : std::as_const(m_props)) {
        const QString comp = p.section(u'.', 0, 0), prop = p.section(u'.', 1);
        auto* w = comp == m_form->objectName() ? m_form : m_form->findChild<QWidget*>(comp);
        if (w)
            ini.writeString(m_section, comp + u'_' + prop, readProp(w, prop));
    }
}
