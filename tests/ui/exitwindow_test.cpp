#include "links/sitelinks.h"
#include "support/fakeeffects.h"
#include "ui/common/controls.h"
#include "ui/exit/exitwindow.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextLayout>
#include <QtTest>

#include <memory>

using namespace tintwise;

class ExitWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void layoutFollowsTheDesign();
    void familyDescriptionBreaksIntoTwoHalvesAtItsSpaces();
    void preparationShowsCaptionsAndTheMessageNumberedByFourR();
    void messageFieldIsUnseenButTabReachesItAfterTheFriendsName();
    void placeholdersClearAndReturnOnFocus();
    void emailFieldsRefuseTypedSpacesOnly();
    void checkBoxAndLinkOpenTheirPages();
    void formSendsWhatWasTypedAndRefusesTheUntouchedForm();

private:
    QWidget *child(const char *name) const { return m_window->findChild<QWidget *>(QLatin1String(name)); }
    QLineEdit *line(const char *name) const { return m_window->findChild<QLineEdit *>(QLatin1String(name)); }
    MessageField *message() const { return m_window->findChild<MessageField *>(QStringLiteral("txtMessage")); }
    void load(double r);
    void focusOn(QWidget *field);

    test::FakeEffects m_effects;
    modTellAFriend m_record;
    std::unique_ptr<ExitWindow> m_window;
};

void ExitWindowTest::load(double r)
{
    registerFontSubstitutes();
    m_window.reset();
    m_effects = test::FakeEffects();
    m_effects.randoms = {r};
    m_record = modTellAFriend();
    m_window = std::make_unique<ExitWindow>(m_effects, m_record);
}

void ExitWindowTest::init()
{
    load(0.5);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void ExitWindowTest::focusOn(QWidget *field)
{
    // The preparation shows the window without activating it; focus moves only in an active window.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    field->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), field);
}

void ExitWindowTest::layoutFollowsTheDesign()
{
    QCOMPARE(m_window->size(), QSize(741, 315));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(m_window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(m_window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(m_window->testAttribute(Qt::WA_ShowWithoutActivating) && m_window->isVisible());

    // Front to back as designed, within each container.
    const QList<QStringList> orders{
        {"Frame6", "Frame2", "cmdClose", "Check1", "picNagscreen2Icon", "Label2", "lblNagScreen2Caption"},
        {"lblGoToHome", "Label3"},
        {"txtMessage", "txtFriendName", "txtFriendEmail", "txtEmail", "cmdSubmit", "txtName"}};
    for (const QStringList &order : orders) {
        QWidget *container = child(qPrintable(order[0]))->parentWidget();
        QStringList seen;
        for (QObject *o : container->children())
            if (order.contains(o->objectName()))
                seen.prepend(o->objectName());
        QCOMPARE(seen, order);
    }
    QVERIFY(child("lblGoToHome")->geometry().bottom() < child("Frame6")->height());
    const QImage shot = m_window->grab().toImage();
    QCOMPARE(QColor(shot.pixel(5, 300)), QColor(Qt::white));
    QCOMPARE(QColor(shot.pixel(600, 150)), QColor(0x00, 0x00, 0x80));
    QCOMPARE(QColor(shot.pixel(100, 300)), QColor(0x00, 0x00, 0x80));
    auto *check = qobject_cast<QPushButton *>(child("Check1"));
    QVERIFY(check->text().contains(QStringLiteral("www.velmoraforum.com")));
    QVERIFY(check->fontMetrics().horizontalAdvance(check->text()) < check->width() - 8);
}

void ExitWindowTest::familyDescriptionBreaksIntoTwoHalvesAtItsSpaces()
{
    auto *label = qobject_cast<QLabel *>(child("Label3"));
    const QString text = label->text();
    QCOMPARE(text.size(), 615);
    QVERIFY(text.endsWith(QLatin1Char(' ')) && !text.endsWith(QStringLiteral("  ")));
    QStringList runs;
    for (auto match = QRegularExpression(QStringLiteral(" {2,}")).globalMatch(text); match.hasNext();)
        runs << match.next().captured();
    QCOMPARE(runs, QStringList{QString(61, QLatin1Char(' '))});

    // In the label's width the second half starts a line of its own, and the whole text fits the box.
    const qsizetype secondHalf = text.indexOf(runs.front()) + 61;
    QTextLayout layout(text, label->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    bool startsALine = false;
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
        l.setLineWidth(label->width());
        startsALine |= l.textStart() == secondHalf;
    }
    layout.endLayout();
    QVERIFY(startsALine);
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
}

void ExitWindowTest::preparationShowsCaptionsAndTheMessageNumberedByFourR()
{
    QSet<QString> shown;
    const std::pair<double, int> rows[] = {
        {0.0, 0}, {0.2499999, 0}, {0.25, 1}, {0.7499999, 2}, {0.9999999999999999, 3}};
    for (const auto &[r, number] : rows) {
        load(r);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Zorvel Tintwise v1.25"));
        QCOMPARE(qobject_cast<QLabel *>(child("lblNagScreen2Caption"))->text(), m_window->windowTitle());
        QVERIFY(!m_window->windowIcon().isNull());
        QVERIFY(m_effects.seeds == 1 && m_effects.randoms.empty());
        auto *support = qobject_cast<QLabel *>(child("Label2"));
        QCOMPARE(m_window->supportMessageNumber(), number);
        QCOMPARE(support->text(), ExitWindow::supportMessage(number));
        QVERIFY(support->text().contains(QStringLiteral("www.velmoraforum.com")));
        QVERIFY(support->heightForWidth(support->width()) <= support->height());
        shown.insert(support->text());
    }
    QCOMPARE(shown.size(), 4);
}

void ExitWindowTest::messageFieldIsUnseenButTabReachesItAfterTheFriendsName()
{
    QVERIFY(message()->isVisible() && message()->isEnabled());
    QVERIFY(!child("Frame2")->rect().intersects(message()->geometry()));
    QCOMPARE(message()->text(), QStringLiteral("Your Message\r\n"));

    const QStringList expected{"cmdClose",       "Check1",        "txtName",    "cmdSubmit", "txtEmail",
                               "txtFriendEmail", "txtFriendName", "txtMessage", "cmdClose"};
    focusOn(child("cmdClose"));
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);
    QCOMPARE(message()->text(), QStringLiteral("Your Message\r\n")); // Tab left it without typing a tab
}

void ExitWindowTest::placeholdersClearAndReturnOnFocus()
{
    struct Row
    {
        const char *field;
        QString before, afterFocusIn, typed, afterFocusOut;
    };
    const Row rows[] = {
        {"txtName", "Your Name", "", "", "Your Name"},
        {"txtName", "  Your Name ", "", "   ", "Your Name"},
        {"txtName", "your name", "your name", "", "your name"},
        {"txtName", "Friend's Name", "Friend's Name", "", "Friend's Name"},
        {"txtEmail", "Your Email Address", "", "a@b.c", "a@b.c"},
        {"txtFriendName", "Friend's Name", "", "", "Friend's Name"},
        {"txtFriendEmail", "Friend's Email Address", "", "", "Friend's Email Address"},
        {"txtMessage", "Your Message\r\n", "Your Message\r\n", "", "Your Message\r\n"},
        {"txtMessage", "Your Message", "", "", "Your Message"},
        {"txtMessage", "", "", "", "Your Message"},
    };
    for (const Row &row : rows) {
        QWidget *widget = child(row.field);
        auto *edit = qobject_cast<QLineEdit *>(widget);
        auto text = [&] { return edit ? edit->text() : message()->text(); };
        edit ? edit->setText(row.before) : message()->setText(row.before);
        focusOn(widget);
        QCOMPARE(text(), row.afterFocusIn);
        QTest::keyClicks(widget, row.typed);
        // A message box or a menu taking the focus for a while is no move to another field.
        for (Qt::FocusReason passing : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
            QFocusEvent out(QEvent::FocusOut, passing);
            QApplication::sendEvent(widget, &out);
        }
        QCOMPARE(text(), row.afterFocusIn + row.typed);
        focusOn(child("cmdSubmit"));
        QCOMPARE(text(), row.afterFocusOut);
    }
    QVERIFY(m_effects.messages.isEmpty());
}

void ExitWindowTest::emailFieldsRefuseTypedSpacesOnly()
{
    const std::tuple<const char *, QString, QString, int> rows[] = {
        {"txtEmail", "ann @x. example", "ann@x.example", 2},
        {"txtFriendEmail", " bob@y.example", "bob@y.example", 1},
        {"txtName", "Ann  Lee", "Ann  Lee", 0},
        {"txtFriendName", "Bob Ray", "Bob Ray", 0},
    };
    for (const auto &[name, typed, result, refusals] : rows) {
        m_effects.messages.clear();
        QLineEdit *edit = line(name);
        focusOn(edit);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), result);
        QCOMPARE(m_effects.messages,
                 QStringList(refusals, QStringLiteral("critical:Email Address Cannot Contain Space")));
        QCOMPARE(QApplication::focusWidget(), edit);
    }
    // Pasted spaces pass; so do spaces typed into the message.
    m_effects.messages.clear();
    focusOn(line("txtFriendEmail"));
    QTest::keyClick(line("txtFriendEmail"), Qt::Key_End);
    QGuiApplication::clipboard()->setText(QStringLiteral(" x y"));
    QTest::keySequence(line("txtFriendEmail"), QKeySequence::Paste);
    QCOMPARE(line("txtFriendEmail")->text(), QStringLiteral("bob@y.example x y"));
    focusOn(message());
    QTest::keyClick(message(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(message(), QStringLiteral("a b"));
    QCOMPARE(message()->text(), QStringLiteral("Your Message\r\na b"));
    QVERIFY(m_effects.messages.isEmpty());
}

void ExitWindowTest::checkBoxAndLinkOpenTheirPages()
{
    auto *check = qobject_cast<QPushButton *>(child("Check1"));
    QVERIFY(check->isCheckable());
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!check->isChecked());
    QTest::mouseClick(child("lblGoToHome"), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(child("Label3"), Qt::LeftButton); // only tells
    const QUrl home = sitePageUrl("home-page");
    QCOMPARE(m_effects.opened, (QList<QUrl>{home, home, sitePageUrl("arcanelsoftwares")}));
    QVERIFY(m_window->isVisible());
}

void ExitWindowTest::formSendsWhatWasTypedAndRefusesTheUntouchedForm()
{
    QTest::mouseClick(child("cmdSubmit"), Qt::LeftButton);
    QCOMPARE(m_effects.messages, QStringList{QStringLiteral("critical:Please Enter Proper Email Address")});
    QVERIFY(m_effects.opened.isEmpty());

    const std::pair<const char *, QString> typing[] = {
        {"txtName", "Ann & Co"}, {"txtEmail", "ann@x.example"}, {"txtFriendName", "Zoe"}, {"txtFriendEmail", "z@y.c"}};
    for (const auto &[name, value] : typing) {
        focusOn(child(name));
        QTest::keyClicks(child(name), value);
    }
    // Typed unseen into the message field, a line break goes out as CR LF.
    focusOn(message());
    QTest::keyClick(message(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(message(), QStringLiteral("Hi"));
    QTest::keyClick(message(), Qt::Key_Return);
    QTest::keyClicks(message(), QStringLiteral("there "));
    QTest::mouseClick(child("cmdSubmit"), Qt::LeftButton);
    QCOMPARE(m_effects.messages.size(), 1);
    QCOMPARE(m_effects.opened, QList<QUrl>{m_record.ReferralUrl});
    QCOMPARE(QStringList({m_record.ReferrerName, m_record.ReferrerEmail, m_record.ReferralMessage, m_record.FriendName,
                          m_record.FriendEmail}),
             (QStringList{"Ann & Co", "ann@x.example", "Hi\r\nthere", "Zoe", "z@y.c"}));
    QCOMPARE(line("txtName")->text(), QStringLiteral("Ann & Co")); // the form stays as it was
}

QTEST_MAIN(ExitWindowTest)
#include "exitwindow_test.moc"
