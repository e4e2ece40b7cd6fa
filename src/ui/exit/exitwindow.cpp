#include "ui/exit/exitwindow.h"

#include "links/sitelinks.h"
#include "product.h"
#include "system/effects.h"
#include "ui/common/attempt.h"
#include "ui/common/buttons.h"
#include "ui/common/classicstyle.h"
#include "ui/common/cursors.h"
#include "ui/common/focusmoves.h"
#include "ui/common/fonts.h"
#include "ui/common/frame.h"
#include "ui/common/keyrouter.h"
#include "ui/common/labels.h"
#include "ui/common/palette.h"
#include "ui/common/picturebox.h"
#include "ui/common/units.h"
#include "ui/common/windowsetup.h"

#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTextDocument>

#include <cmath>
#include <limits>

namespace tintwise {
namespace {

constexpr QColor kNavy(0x00, 0x00, 0x80);
const QString kCrLf = QStringLiteral("\r\n");

QString resourceText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QColor buttonText(const QWidget *widget)
{
    return widget->palette().color(QPalette::ButtonText);
}

} // namespace

QString MessageField::text() const
{
    // The editor turns every line break into a paragraph or line separator; the field's text has CR LF.
    const QString raw = document()->toRawText();
    QString crlf;
    crlf.reserve(raw.size() + 16);
    for (const QChar c : raw) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            crlf += kCrLf;
        else
            crlf += c;
    }
    return crlf;
}

void MessageField::setText(const QString &text)
{
    setPlainText(text);
}

bool MessageField::canInsertFromMimeData(const QMimeData *source) const
{
    return source && source->hasText();
}

void MessageField::insertFromMimeData(const QMimeData *source)
{
    // Not the base class: on some toolkit versions it reads past an empty record's list of formats.
    if (!source || !source->hasText())
        return;
    const QString text = source->text();
    if (!text.isEmpty())
        insertPlainText(text);
}

ExitWindow::ExitWindow(Effects &effects, ReferralRecord &record, QWidget *parent)
    : QWidget(parent)
    , m_effects(effects)
    , m_record(record)
{
    setObjectName(QStringLiteral("frmNagScreen2"));
    setWindowFlags(fixedWindowFlags());
    setFixedSize(twipsSize(11115, 4725));
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kWhite);
    setPalette(pal);
    setAutoFillBackground(true);

    // Created back to front: later siblings lie in front.
    m_caption = makeLabel(this, QStringLiteral("lblNagScreen2Caption"), twips(1080, 240, 720, 435), QString(),
                          {designFont(QStringLiteral("MS Sans Serif"), 18, false), buttonText(this)});
    m_support = makeLabel(this, QStringLiteral("Label2"), twips(120, 840, 6975, 1095), QString(),
                          {verdana(9.75, true), buttonText(this), Qt::AlignLeft, LabelSize::Wrap});
    m_icon = new PictureBox(this, QStringLiteral("picNagscreen2Icon"), twips(360, 120, 540, 540),
                            palette().color(QPalette::Base), false);

    // A check box drawn as a push button; it never stays set, since a click only opens the forum.
    m_check1 = makeButton(this, QStringLiteral("Check1"), twips(30, 2040, 7185, 555),
                          QStringLiteral("Visit www.velmoraforum.com now!"), verdana(14.25, false));
    m_check1->setCheckable(true);
    QPalette checkPal = m_check1->palette();
    checkPal.setColor(QPalette::ButtonText, QColor(0x00, 0x00, 0xC0));
    m_check1->setPalette(checkPal);
    m_check1->setCursor(handCursor());
    m_check1->setAccessibleDescription(linkDescription(QLatin1String(PageKey::HomePage)));
    connect(m_check1, &QPushButton::clicked, this, &ExitWindow::checkClicked);

    m_cmdClose =
        makeButton(this, QStringLiteral("cmdClose"), twips(6000, 2760, 1245, 375), QStringLiteral("E&xit"), font());
    m_cmdClose->setAccessibleDescription(QStringLiteral("Ends Zorvel Tintwise"));
    connect(m_cmdClose, &QPushButton::clicked, this, &ExitWindow::exitRequested);

    buildReferralForm();
    buildFamilyPanel();
    buildTabOrder();
    connect(new FocusMoves(this), &FocusMoves::moved, this, &ExitWindow::focusMoved);

    // No default or cancel button: Enter presses the focused button only, Esc does nothing.
    new KeyRouter(this, nullptr, nullptr);
    m_cmdClose->setFocus();
    centreOnScreen(this);
    prepare();
}

void ExitWindow::buildReferralForm()
{
    auto *frame = new Frame(this, QStringLiteral("Frame2"), twips(120, 3240, 7065, 1455), kNavy,
                            Frame::Border::Standard, QStringLiteral("Refer A Friend"));
    frame->setCaptionFont(verdana(9.75, true));
    frame->setCaptionColour(kWhite);

    auto lineEdit = [frame](const char *name, const QRect &geometry) {
        auto *field = new QLineEdit(frame);
        field->setObjectName(QLatin1String(name));
        field->setGeometry(geometry);
        setClassicLook(field);
        // No limit of our own: the line edit's default would cut a paste at 32767 characters.
        field->setMaxLength(std::numeric_limits<int>::max());
        return field;
    };
    m_txtName = lineEdit("txtName", twips(85, 360, 3375, 285));
    m_cmdSubmit = makeButton(frame, QStringLiteral("cmdSubmit"), twips(1920, 1080, 3375, 285),
                             QStringLiteral("Refer A Friend &Now"), verdana(8.25, true));
    m_cmdSubmit->setAccessibleDescription(QStringLiteral("Opens the recommendation to your friend in your browser"));
    connect(m_cmdSubmit, &QPushButton::clicked, this, &ExitWindow::submit);
    m_txtEmail = lineEdit("txtEmail", twips(3600, 360, 3375, 285));
    m_txtFriendEmail = lineEdit("txtFriendEmail", twips(3600, 720, 3375, 285));
    m_txtFriendName = lineEdit("txtFriendName", twips(85, 720, 3375, 285));

    // Below the frame's bottom edge, so clipped and never seen; Tab still reaches it.
    m_txtMessage = new MessageField(frame);
    m_txtMessage->setObjectName(QStringLiteral("txtMessage"));
    m_txtMessage->setGeometry(twips(4800, 3600, 1815, 495));
    m_txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Never seen, so its lines need not wrap; wrapping one long pasted line takes minutes.
    m_txtMessage->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txtMessage->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_txtMessage->setLineWidth(1);
    // A Tab typed into an unseen field must not trap the keyboard there.
    m_txtMessage->setTabChangesFocus(true);

    // The fields show their meaning as their text, which the user replaces: screen readers get a fixed name.
    m_txtName->setAccessibleName(QStringLiteral("Your name"));
    m_txtEmail->setAccessibleName(QStringLiteral("Your e-mail address"));
    m_txtMessage->setAccessibleName(QStringLiteral("Your message"));
    m_txtFriendName->setAccessibleName(QStringLiteral("Friend's name"));
    m_txtFriendEmail->setAccessibleName(QStringLiteral("Friend's e-mail address"));
    watchField(m_txtName, kYourName);
    watchField(m_txtEmail, kYourEmail);
    watchField(m_txtMessage, kYourMessage);
    watchField(m_txtFriendName, kFriendsName);
    watchField(m_txtFriendEmail, kFriendsEmail);
    // Unlike the others, the message starts with a line break, so focusing it keeps its text.
    m_txtMessage->setText(kYourMessage + kCrLf);
}

void ExitWindow::buildFamilyPanel()
{
    auto *frame = new Frame(this, QStringLiteral("Frame6"), twips(7320, 120, 3735, 4575), kNavy,
                            Frame::Border::Standard, QStringLiteral("Download Arcanel"));
    frame->setCaptionFont(verdana(9.75, true));
    frame->setCaptionColour(kWhite);
    makeLabel(frame, QStringLiteral("Label3"), twips(120, 360, 3495, 3855), familyDescription(),
              {verdana(9, false), kWhite, Qt::AlignLeft, LabelSize::Wrap});
    opensPage(makeLinkLabel(frame, QStringLiteral("lblGoToHome"), twips(75, 4250, 3585, 210),
                            QStringLiteral("Click Here To Visit Arcanel"), {verdana(9, true, true), QColor(0xFFFF00)}),
              m_effects, PageKey::ArcanelSoftwares);
}

void ExitWindow::buildTabOrder()
{
    const QList<QWidget *> chain{m_cmdClose, m_check1,         m_txtName,       m_cmdSubmit,
                                 m_txtEmail, m_txtFriendEmail, m_txtFriendName, m_txtMessage};
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void ExitWindow::watchField(QWidget *field, const QString &placeholder)
{
    m_placeholders.insert(field, placeholder);
    setFieldText(field, placeholder);
    field->installEventFilter(this);
}

QString ExitWindow::fieldText(const QObject *field) const
{
    if (auto *line = qobject_cast<const QLineEdit *>(field))
        return line->text();
    if (auto *message = qobject_cast<const MessageField *>(field))
        return message->text();
    return {};
}

void ExitWindow::setFieldText(QObject *field, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(field))
        line->setText(text);
    else if (auto *message = qobject_cast<MessageField *>(field))
        message->setText(text);
}

void ExitWindow::prepare()
{
    attempt([&] {
        setWindowTitle(kWindowCaption);
        m_caption->setText(kWindowCaption);
        m_caption->adjustSize();
    });
    attempt([&] {
        setWindowIcon(applicationIcon());
        m_icon->setPixmap(applicationIcon().pixmap(32, 32));
    });
    attempt([&] { m_effects.seedRandom(); });
    attempt([&] {
        const double r = m_effects.random();
        m_supportNumber = qBound(0, int(std::floor(4 * r)), 3);
        m_support->setText(supportMessage(m_supportNumber));
    });
    attempt([&] {
        // Above every ordinary window; shown where it stands, without taking the focus from anyone.
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        setAttribute(Qt::WA_ShowWithoutActivating, true);
        show();
    });
}

QString ExitWindow::supportMessage(int number)
{
    if (number < 0 || number > 3)
        return {};
    return resourceText(QStringLiteral(":/assets/exit/support%1.txt").arg(number));
}

QString ExitWindow::familyDescription()
{
    return resourceText(QStringLiteral(":/assets/exit/family.txt"));
}

void ExitWindow::checkClicked()
{
    if (!m_check1->isChecked())
        return;
    m_check1->setChecked(false);
    OpenSitePage(m_effects, QLatin1String(PageKey::HomePage));
}

void ExitWindow::submit()
{
    const ReferralForm form{m_txtName->text(), m_txtEmail->text(), m_txtMessage->text(), m_txtFriendName->text(),
                            m_txtFriendEmail->text()};
    referAFriend(m_effects, m_record, form);
}

bool ExitWindow::eventFilter(QObject *watched, QEvent *event)
{
    const auto placeholder = m_placeholders.constFind(watched);
    if (placeholder == m_placeholders.constEnd())
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::KeyPress:
        if ((watched == m_txtEmail || watched == m_txtFriendEmail) &&
            static_cast<QKeyEvent *>(event)->text() == QLatin1String(" ")) {
            m_effects.critical(QStringLiteral("Email Address Cannot Contain Space"));
            static_cast<QWidget *>(watched)->setFocus(Qt::OtherFocusReason);
            return true; // the space is not inserted
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ExitWindow::focusMoved(QWidget *from, QWidget *to)
{
    // Placeholder handling: leaving a field empty brings its placeholder back, entering one at its
    // placeholder empties it.
    if (const auto placeholder = m_placeholders.constFind(from); placeholder != m_placeholders.constEnd()) {
        if (trimSpaces(fieldText(from)).isEmpty())
            setFieldText(from, *placeholder);
    }
    if (const auto placeholder = m_placeholders.constFind(to); placeholder != m_placeholders.constEnd()) {
        if (trimSpaces(fieldText(to)) == *placeholder)
            setFieldText(to, QString());
    }
}

void ExitWindow::closeEvent(QCloseEvent *event)
{
    emit unloading();
    event->accept();
}

} // namespace tintwise
