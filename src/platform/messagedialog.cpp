#include "messagedialog.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct SeamState {
    QList<int> answers;
    MessageDialog::Shown last;
    int count = 0;
};

SeamState& seam()
{
    static SeamState state;
    return state;
}

QStyle::StandardPixmap standardPixmap(MessageDialog::Icon icon)
{
    switch (icon) {
    case MessageDialog::Icon::Warning: return QStyle::SP_MessageBoxWarning;
    case MessageDialog::Icon::Stop: return QStyle::SP_MessageBoxCritical;
    case MessageDialog::Icon::Information: return QStyle::SP_MessageBoxInformation;
    case MessageDialog::Icon::Question: return QStyle::SP_MessageBoxQuestion;
    case MessageDialog::Icon::None: break;
    }
    return QStyle::SP_CustomBase;
}

// Line breaks as the Windows boxes take them: CR LF, a lone CR and a lone LF all end a line.
QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Closing the box without a button (close button, Escape) answers Cancel. The box
// stands in the middle of the screen, its frame included once the frame is known.
class DotazWindow : public QDialog {
public:
    DotazWindow(QWidget* parent, const QRect& area)
        : QDialog(parent)
        , m_area(area)
    {
    }
    void reject() override { done(MessageDialog::Cancel); }
    void centre()
    {
        QRect frame = frameGeometry();
        frame.moveCenter(m_area.center());
        move(frame.topLeft());
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QDialog::showEvent(event);
        centre();
    }

private:
    QRect m_area;
};

} // namespace

QStringList MessageDialog::shownButtonCaptions() const
{
    static const QStringList defaults = {QStringLiteral("OK"), QStringLiteral("Cancel"), QStringLiteral("Cancel")};
    const int count = std::clamp(buttonCount, 1, 3);
    QStringList captions;
    for (int i = 0; i < count; ++i)
        captions << (i < buttonCaptions.size() ? buttonCaptions.at(i) : defaults.at(i));
    return captions;
}

int MessageDialog::showModal(QWidget* parent)
{
    SeamState& state = seam();
    const QStringList captions = shownButtonCaptions();
    state.last = Shown{caption, text, int(captions.size()), captions, icon};
    ++state.count;
    if (!state.answers.isEmpty())
        return state.answers.takeFirst();

    const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);

    DotazWindow box(parent, area);
    box.setObjectName(QStringLiteral("dotaz"));
    box.setWindowTitle(caption);
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                       | Qt::MSWindowsFixedSizeDialogHint);

    auto* iconLabel = new QLabel(&box);
    iconLabel->setObjectName(QStringLiteral("dotazIcon"));
    iconLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    if (icon != Icon::None) {
        const int extent = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        iconLabel->setPixmap(box.style()->standardIcon(standardPixmap(icon), nullptr, &box).pixmap(extent, extent));
    } else {
        iconLabel->hide();
    }

    auto* textLabel = new QLabel(&box);
    textLabel->setObjectName(QStringLiteral("dotazText"));
    textLabel->setTextFormat(Qt::PlainText);
    textLabel->setFont(textFont);
    QPalette pal = textLabel->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    textLabel->setPalette(pal);
    const QString shownText = displayText(text);
    textLabel->setText(shownText);
    textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Long lines wrap at about half the screen width like the system's own boxes.
    const QFontMetrics fm(textFont);
    int widest = 0;
    for (const QString& line : shownText.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    const int wrapWidth = std::max(200, area.width() / 2);
    if (widest > wrapWidth) {
        textLabel->setWordWrap(true);
        textLabel->setFixedWidth(wrapWidth);
    }

    auto* content = new QHBoxLayout;
    content->setSpacing(12);
    content->addWidget(iconLabel, 0, Qt::AlignTop);
    content->addWidget(textLabel, 1, Qt::AlignVCenter);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QPushButton(captions.at(i), &box);
        button->setObjectName(QStringLiteral("dotazButton%1").arg(i + 1));
        button->setAccessibleName(captions.at(i));
        button->setCursor(Qt::PointingHandCursor);
        button->setMinimumWidth(75);
        const int answer = i == 0 ? Ok : Cancel;
        QObject::connect(button, &QPushButton::clicked, &box, [&box, answer] { box.done(answer); });
        if (i == 0) {
            button->setDefault(true);
            button->setFocus();
        }
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* layout = new QVBoxLayout(&box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(16);
    layout->addLayout(content);
    layout->addLayout(buttons);

    box.adjustSize();
    box.centre();

    return box.exec();
}

void MessageDialog::setNextAnswer(int answer)
{
    seam().answers = {answer};
}

void MessageDialog::pushAnswer(int answer)
{
    seam().answers.append(answer);
}

void MessageDialog::clearNextAnswer()
{
    seam().answers.clear();
}

int MessageDialog::pendingAnswers()
{
    return int(seam().answers.size());
}

MessageDialog::Shown MessageDialog::lastShown()
{
    return seam().last;
}

int MessageDialog::shownCount()
{
    return seam().count;
}

void MessageDialog::resetShown()
{
    seam().last = Shown{};
    seam().count = 0;
}

void showWarningBox(QWidget* parent, const QString& caption, const QString& text)
{
    MessageDialog box;
    box.caption = caption;
    box.text = text;
    box.buttonCount = 1;
    box.buttonCaptions = {QStringLiteral("OK")};
    box.icon = MessageDialog::Icon::Warning;
    box.showModal(parent);
}

void showErrorBox(QWidget* parent, const QString& text)
{
    MessageDialog box;
    box.caption = QStringLiteral("Chyba");
    box.text = text;
    box.buttonCount = 1;
    box.buttonCaptions = {QStringLiteral("OK")};
    box.icon = MessageDialog::Icon::Stop;
    box.showModal(parent);
}
