#pragma once
// Keeps chosen properties of a window's components in an INI file between runs:
// section = the window's class name, key = component name + "_" + property name.
// Restored before the window is shown, saved when it closes.

#include <QString>
#include <QStringList>

class QWidget;

class FormStorage {
public:
    // props: "component.Property", e.g. "suiComboBoxRok.ItemIndex", "Label3.Caption".
    FormStorage(QWidget* form, QString className, QStringList props);

    // The settings file of the program, beside the program file unless set otherwise.
    static QString iniPath();
    static void setIniPath(const QString& path);

    void restore(); // signals of the components are blocked while restoring
    void save();    // throws when the file cannot be written

private:
    QWidget* m_form;
    QString m_section;
    QStringList m_props;
};
