#include "links/sitelinks.h"
#include "support/fakeeffects.h"
#include "ui/common/fonts.h"
#include "ui/exit/exitwindow.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace tintwise;

class ExitWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { load(0.5); }
    void windowIsFixedTopmostAndShownWithoutActivating()
    {
        QCOMPARE(m_window->size(), QSize(741, 315));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QVERIFY(m_window->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(m_window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(m_window->testAttribute(Qt::WA_ShowWithoutActivating) && m_window->isVisible());
    }

    void forumButtonAndFamilyTextFit()
    {
        auto *check = qobject_cast<QPushButton *>(child("Check1"));
        QVERIFY(check->text().contains(QStringLiteral("www.velmoraforum.com")));
        QVERIFY(check->fontMetrics().horizontalAdvance(check->text()) < check->width() - 8);
        QVERIFY(child("lblGoToHome")->geometry().bottom() < child("Frame6")->height());
        // 615 characters in two halves joined by one run of exactly 61 spaces, all of it inside the label.
        auto *label = qobject_cast<QLabel *>(child("Label3"));
        QVERIFY(label->text().size() == 615 && label->text().count(QString(61, QLatin1Char(' '))) == 1);
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
    }

    void forumButtonOpensTheHomePageOnEachClickAndNeverStaysSet()
    {
        auto *check = qobject_cast<QPushButton *>(child("Check1"));
        for (int click = 0; click < 2; ++click) {
            QTest::mouseClick(check, Qt::LeftButton);
            QVERIFY(check->isCheckable() && !check->isChecked());
        }
        const QUrl home = sitePageUrl("home-page");
        QCOMPARE(m_effects.opened, (QList<QUrl>{home, home}));
        QVERIFY(m_window->isVisible());
    }

    void homeLinkOpensTheMakersPageAndTheFamilyTextNothing()
    {
        QTest::mouseClick(child("lblGoToHome"), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(child("Label3"), Qt::LeftButton); // only tells
        QCOMPARE(m_effects.opened, QList<QUrl>{sitePageUrl("arcanelsoftwares")});
        QVERIFY(m_window->isVisible());
    }

    void captionsCarryTheTitleWhateverTheMessage_data() { preparationShowsTheMessageNumberedByFourR_data(); }
    void captionsCarryTheTitleWhateverTheMessage()
    {
        QFETCH(double, r);
        load(r);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Zorvel Tintwise v1.25"));
        QCOMPARE(qobject_cast<QLabel *>(child("lblNagScreen2Caption"))->text(), m_window->windowTitle());
        QVERIFY(!m_window->windowIcon().isNull());
    }

    void preparationShowsTheMessageNumberedByFourR_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("number");
        QTest::newRow("0") << 0.0 << 0;
        QTest::newRow("just under a quarter") << 0.2499999 << 0;
        QTest::newRow("a quarter") << 0.25 << 1;
        QTest::newRow("just under three quarters") << 0.7499999 << 2;
        QTest::newRow("just under 1") << 1 - 1e-16 << 3;
    }
    void preparationShowsTheMessageNumberedByFourR()
    {
        QFETCH(double, r);
        QFETCH(int, number);
        load(r);
        QVERIFY(m_effects.seeds == 1 && m_effects.randoms.empty());
        auto *support = qobject_cast<QLabel *>(child("Label2"));
        QCOMPARE(m_window->supportMessageNumber(), number);
        QCOMPARE(support->text(), ExitWindow::supportMessage(number));
        QVERIFY(support->text().contains(QStringLiteral("www.velmoraforum.com")));
        QVERIFY(support->heightForWidth(support->width()) <= support->height());
    }

    void theFourSupportMessagesDiffer()
    {
        QSet<QString> messages;
        for (int number = 0; number < 4; ++number)
            messages.insert(ExitWindow::supportMessage(number));
        QCOMPARE(messages.size(), 4);
    }

    void messageFieldIsUnseenButTabReachesItAfterTheFriendsName()
    {
        QVERIFY(message()->isVisible() && message()->isEnabled());
        QVERIFY(!child("Frame2")->rect().intersects(message()->geometry()));
        focusOn(child("cmdClose"));
        QStringList seen{QStringLiteral("cmdClose")};
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen.join(' '),
                 QStringLiteral(
                     "cmdClose Check1 txtName cmdSubmit txtEmail txtFriendEmail txtFriendName txtMessage cmdClose"));
        QCOMPARE(message()->text(), QStringLiteral("Your Message\r\n")); // passed through without typing a tab
    }

    void placeholdersClearAndReturnOnFocus_data()
    {
        // The field's text, after focus in, typed, after focus out. Case counts; the message's line break is content.
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("out");
        const auto row = [](const char *tag, const char *field, const char *before, const char *in, const char *typed,
                            const char *out) {
            QTest::newRow(tag) << QString::fromLatin1(field) << QString::fromLatin1(before) << QString::fromLatin1(in)
                               << QString::fromLatin1(typed) << QString::fromLatin1(out);
        };
        row("name, left empty", "txtName", "Your Name", "", "", "Your Name");
        row("name among spaces, spaces typed", "txtName", "  Your Name ", "", "   ", "Your Name");
        row("name in another case", "txtName", "your name", "your name", "", "your name");
        row("email, typed", "txtEmail", "Your Email Address", "", "a@b.c", "a@b.c");
        row("friend's name", "txtFriendName", "Friend's Name", "", "", "Friend's Name");
        row("friend's email, not its own placeholder", "txtFriendEmail", "Your Email Address", "Your Email Address", "",
            "Your Email Address");
        row("message with its line break", "txtMessage", "Your Message\r\n", "Your Message\r\n", "",
            "Your Message\r\n");
        row("message without", "txtMessage", "Your Message", "", "", "Your Message");
    }
    void placeholdersClearAndReturnOnFocus()
    {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, in);
        QFETCH(QString, typed);
        QFETCH(QString, out);
        QWidget *w = m_window->findChild<QWidget *>(field);
        auto *line = qobject_cast<QLineEdit *>(w);
        line ? line->setText(before) : message()->setText(before);
        focusOn(w);
        QCOMPARE(text(w), in);
        QTest::keyClicks(w, typed);
        // Another window taking the focus for a while, and handing it back, is no move to another field.
        activateOther();
        QCOMPARE(text(w), in + typed);
        focusOn(w);
        QCOMPARE(text(w), in + typed);
        focusOn(child("cmdSubmit"));
        QCOMPARE(text(w), out);
        QVERIFY(m_effects.messages.isEmpty());
    }

    void focusMovesRunTheHandlingWhateverComesFirstActivationOrClick_data()
    {
        QTest::addColumn<bool>("clickFirst");
        QTest::newRow("click into the inactive window, activation after") << true;
        QTest::newRow("activation, then the click") << false;
    }
    void focusMovesRunTheHandlingWhateverComesFirstActivationOrClick()
    {
        QFETCH(bool, clickFirst);
        QWidget *email = child("txtEmail");
        QWidget *submit = child("cmdSubmit");
        focusOn(submit);
        // Into a field at its placeholder: emptied, and what is typed stands alone.
        moveFocus(email, clickFirst);
        QCOMPARE(text(email), QString());
        QTest::keyClicks(email, QStringLiteral("ann"));
        QCOMPARE(text(email), QStringLiteral("ann"));
        // Out of a field left empty: the placeholder is back.
        QTest::keyClick(email, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(email, Qt::Key_Delete);
        moveFocus(submit, clickFirst);
        QCOMPARE(text(email), QStringLiteral("Your Email Address"));
        // From field to field, both handlings run.
        focusOn(email);
        moveFocus(child("txtName"), clickFirst);
        QCOMPARE(text(email), QStringLiteral("Your Email Address"));
        QCOMPARE(text(child("txtName")), QString());
    }

    void returningToTheWindowIsNoMove()
    {
        // A field holding its placeholder because the user typed it, and a field the user emptied.
        QWidget *name = child("txtName");
        QWidget *friendName = child("txtFriendName");
        focusOn(name);
        QTest::keyClicks(name, QStringLiteral("Your Name"));
        activateOther();
        focusOn(name);
        QCOMPARE(text(name), QStringLiteral("Your Name"));
        focusOn(friendName);
        QCOMPARE(text(name), QStringLiteral("Your Name"));
        QCOMPARE(text(friendName), QString());
        for (int i = 0; i < 2; ++i) {
            activateOther();
            QCOMPARE(text(friendName), QString());
            m_window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
            QCOMPARE(QApplication::focusWidget(), friendName);
            QCOMPARE(text(friendName), QString());
        }
    }

    void emailFieldsRefuseTypedSpacesOnly_data()
    {
        // A leading '^' in what is typed pastes first.
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("refusals");
        const auto row = [](const char *tag, const char *field, const char *typed, const char *result, int refusals) {
            QTest::newRow(tag) << QString::fromLatin1(field) << QString::fromLatin1(typed)
                               << QString::fromLatin1(result) << refusals;
        };
        row("email", "txtEmail", "ann @x. example", "ann@x.example", 2);
        row("friend's email, pasted first", "txtFriendEmail", "^ b@y", " x yb@y", 1);
        row("name", "txtName", "Ann  Lee", "Ann  Lee", 0);
        row("friend's name", "txtFriendName", "Bob Ray", "Bob Ray", 0);
        row("message", "txtMessage", "a b", "a b", 0);
    }
    void emailFieldsRefuseTypedSpacesOnly()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QFETCH(int, refusals);
        QGuiApplication::clipboard()->setText(QStringLiteral(" x y"));
        QWidget *w = m_window->findChild<QWidget *>(field);
        qobject_cast<QLineEdit *>(w) ? qobject_cast<QLineEdit *>(w)->clear() : message()->setText({});
        focusOn(w);
        if (typed.startsWith('^'))
            QTest::keySequence(w, QKeySequence::Paste);
        QTest::keyClicks(w, typed.mid(typed.startsWith('^') ? 1 : 0));
        QCOMPARE(text(w), result);
        QCOMPARE(m_effects.messages,
                 QStringList(refusals, QStringLiteral("critical:Email Address Cannot Contain Space")));
        QCOMPARE(QApplication::focusWidget(), w);
    }

    void typedLineBreakGoesOutAsCrLfAndTheFormStaysAsItWas()
    {
        const std::pair<const char *, QString> typing[] = {
            {"txtName", "Ann"}, {"txtEmail", "ann@x.example"}, {"txtFriendName", "Zoe"}, {"txtFriendEmail", "z@y.c"}};
        for (const auto &[name, value] : typing) {
            focusOn(child(name));
            QTest::keyClicks(child(name), value);
        }
        focusOn(message()); // unseen, below the frame
        QTest::keyClick(message(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(message(), QStringLiteral("Hi"));
        QTest::keyClick(message(), Qt::Key_Return);
        QTest::keyClicks(message(), QStringLiteral("there "));
        QTest::mouseClick(child("cmdSubmit"), Qt::LeftButton);
        QCOMPARE(m_record.ReferralMessage, QStringLiteral("Hi\r\nthere"));
        QCOMPARE(m_effects.opened, QList<QUrl>{m_record.ReferralUrl});
        QVERIFY(m_effects.messages.isEmpty() && text(child("txtName")) == QStringLiteral("Ann"));
    }

    void longInputIsKeptWholeAndAnAddressTooLongForTheBrowserIsRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("opens");
        const QString letters(40000, QLatin1Char('a'));
        const QString words = QStringLiteral("a ").repeated(25000); // every space goes out as three bytes
        QTest::newRow("name of 40 000 letters") << "txtName" << letters << true;
        QTest::newRow("friend's name of 40 000 letters") << "txtFriendName" << letters << true;
        QTest::newRow("message of 50 000 letters") << "txtMessage" << QString(50000, QLatin1Char('m')) << true;
        QTest::newRow("message of 50 000 characters, half spaces") << "txtMessage" << words << false;
        QTest::newRow("name of 40 000 letters outside ASCII") << "txtName" << QString(40000, QChar(0xe9)) << false;
    }
    void longInputIsKeptWholeAndAnAddressTooLongForTheBrowserIsRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, input);
        QFETCH(bool, opens);
        const std::pair<const char *, QString> form[] = {{"txtName", "Ann"},
                                                         {"txtEmail", "ann@x.example"},
                                                         {"txtFriendName", "Zoe"},
                                                         {"txtFriendEmail", "z@y.example"},
                                                         {"txtMessage", "Hi"}};
        for (const auto &[name, value] : form) {
            const QString typed = field == QLatin1String(name) ? input : value;
            if (auto *line = qobject_cast<QLineEdit *>(child(name))) {
                line->clear();
                line->insert(typed); // as a paste does
            } else {
                message()->setText(typed);
            }
            QCOMPARE(text(child(name)).size(), typed.size());
        }
        QTest::mouseClick(child("cmdSubmit"), Qt::LeftButton);
        if (opens) {
            QVERIFY(m_effects.messages.isEmpty());
            QCOMPARE(m_effects.opened, QList<QUrl>{m_record.ReferralUrl});
        } else {
            QCOMPARE(m_effects.messages,
                     QStringList{"critical:" + referralProblemText(ReferralProblem::AddressTooLong)});
            QVERIFY(m_effects.opened.isEmpty() && m_record.ReferralUrl.isEmpty());
        }
        for (const auto &[name, value] : form)
            QCOMPARE(text(child(name)), field == QLatin1String(name) ? input : value); // the form as it was
    }

private:
    QWidget *child(const char *name) const { return m_window->findChild<QWidget *>(QLatin1String(name)); }
    MessageField *message() const { return m_window->findChild<MessageField *>(QStringLiteral("txtMessage")); }
    QString text(QWidget *field) const
    {
        auto *line = qobject_cast<QLineEdit *>(field);
        return line ? line->text() : message()->text();
    }
    void load(double r)
    {
        registerFontSubstitutes();
        m_window.reset();
        m_effects = test::FakeEffects();
        m_effects.randoms = {r};
        m_record = ReferralRecord();
        m_window = std::make_unique<ExitWindow>(m_effects, m_record);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void focusOn(QWidget *field)
    {
        // The preparation shows the window without activating it; focus moves only in an active window.
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        field->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), field);
    }

    void activateOther()
    {
        if (!m_other) {
            m_other = std::make_unique<QWidget>();
            m_other->resize(100, 100);
        }
        m_other->show();
        m_other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_other.get()));
    }
    void moveFocus(QWidget *to, bool clickFirst)
    {
        // A click into an inactive window: the focus moves at once, the focus-in event comes with the activation.
        activateOther();
        if (clickFirst)
            to->setFocus(Qt::MouseFocusReason);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        if (!clickFirst)
            to->setFocus(Qt::MouseFocusReason);
        QCOMPARE(QApplication::focusWidget(), to);
    }

    std::unique_ptr<QWidget> m_other;
    test::FakeEffects m_effects;
    ReferralRecord m_record;
    std::unique_ptr<ExitWindow> m_window;
};

QTEST_MAIN(ExitWindowTest)
#include "exitwindow_test.moc"
