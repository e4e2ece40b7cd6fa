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
    void fixedTopmostWindowFamilyTextAndLinks()
    {
        QCOMPARE(m_window->size(), QSize(741, 315));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QVERIFY(m_window->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(m_window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(m_window->testAttribute(Qt::WA_ShowWithoutActivating) && m_window->isVisible());
        auto *check = qobject_cast<QPushButton *>(child("Check1"));
        QVERIFY(check->text().contains(QStringLiteral("www.velmoraforum.com")));
        QVERIFY(check->fontMetrics().horizontalAdvance(check->text()) < check->width() - 8);
        QVERIFY(child("lblGoToHome")->geometry().bottom() < child("Frame6")->height());

        // 615 characters in two halves joined by one run of exactly 61 spaces, all of it inside the label.
        auto *label = qobject_cast<QLabel *>(child("Label3"));
        QVERIFY(label->text().size() == 615 && label->text().count(QString(61, QLatin1Char(' '))) == 1);
        QVERIFY(label->heightForWidth(label->width()) <= label->height());

        for (int click = 0; click < 2; ++click) {
            QTest::mouseClick(check, Qt::LeftButton);
            QVERIFY(check->isCheckable() && !check->isChecked());
        }
        QTest::mouseClick(child("lblGoToHome"), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(child("Label3"), Qt::LeftButton); // only tells
        const QUrl home = sitePageUrl("home-page");
        QCOMPARE(m_effects.opened, (QList<QUrl>{home, home, sitePageUrl("arcanelsoftwares")}));
        QVERIFY(m_window->isVisible());
    }

    void preparationShowsCaptionsAndTheMessageNumberedByFourR()
    {
        QSet<QString> shown;
        const std::pair<double, int> rows[] = {{0.0, 0}, {0.2499999, 0}, {0.25, 1}, {0.7499999, 2}, {1 - 1e-16, 3}};
        for (const auto &[r, number] : rows) {
            load(r);
            QCOMPARE(m_window->windowTitle(), QStringLiteral("Zorvel Tintwise v1.25"));
            QCOMPARE(qobject_cast<QLabel *>(child("lblNagScreen2Caption"))->text(), m_window->windowTitle());
            QVERIFY(!m_window->windowIcon().isNull() && m_effects.seeds == 1 && m_effects.randoms.empty());
            auto *support = qobject_cast<QLabel *>(child("Label2"));
            QCOMPARE(m_window->supportMessageNumber(), number);
            QCOMPARE(support->text(), ExitWindow::supportMessage(number));
            QVERIFY(support->text().contains(QStringLiteral("www.velmoraforum.com")));
            QVERIFY(support->heightForWidth(support->width()) <= support->height());
            shown.insert(support->text());
        }
        QCOMPARE(shown.size(), 4);
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

    void placeholdersClearAndReturnOnFocus()
    {
        // Field, its text, after focus in, typed, after focus out. Case counts; the message's line break is content.
        const std::tuple<const char *, QString, QString, QString, QString> rows[] = {
            {"txtName", "Your Name", "", "", "Your Name"},
            {"txtName", "  Your Name ", "", "   ", "Your Name"},
            {"txtName", "your name", "your name", "", "your name"},
            {"txtEmail", "Your Email Address", "", "a@b.c", "a@b.c"},
            {"txtFriendName", "Friend's Name", "", "", "Friend's Name"},
            {"txtFriendEmail", "Your Email Address", "Your Email Address", "", "Your Email Address"},
            {"txtMessage", "Your Message\r\n", "Your Message\r\n", "", "Your Message\r\n"},
            {"txtMessage", "Your Message", "", "", "Your Message"}};
        for (const auto &[name, before, in, typed, out] : rows) {
            QWidget *field = child(name);
            auto *line = qobject_cast<QLineEdit *>(field);
            line ? line->setText(before) : message()->setText(before);
            focusOn(field);
            QCOMPARE(text(field), in);
            QTest::keyClicks(field, typed);
            // Another window taking the focus for a while, and handing it back, is no move to another field.
            activateOther();
            QCOMPARE(text(field), in + typed);
            focusOn(field);
            QCOMPARE(text(field), in + typed);
            focusOn(child("cmdSubmit"));
            QCOMPARE(text(field), out);
        }
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

    void emailFieldsRefuseTypedSpacesOnly()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral(" x y"));
        // Field, typed (a leading '^' pastes first), text afterwards, refusals.
        const std::tuple<const char *, QString, QString, int> rows[] = {
            {"txtEmail", "ann @x. example", "ann@x.example", 2},
            {"txtFriendEmail", "^ b@y", " x yb@y", 1},
            {"txtName", "Ann  Lee", "Ann  Lee", 0},
            {"txtFriendName", "Bob Ray", "Bob Ray", 0},
            {"txtMessage", "a b", "a b", 0}};
        for (const auto &[name, typed, result, refusals] : rows) {
            m_effects.messages.clear();
            QWidget *field = child(name);
            qobject_cast<QLineEdit *>(field) ? qobject_cast<QLineEdit *>(field)->clear() : message()->setText({});
            focusOn(field);
            if (typed.startsWith('^'))
                QTest::keySequence(field, QKeySequence::Paste);
            QTest::keyClicks(field, typed.mid(typed.startsWith('^') ? 1 : 0));
            QCOMPARE(text(field), result);
            QCOMPARE(m_effects.messages,
                     QStringList(refusals, QStringLiteral("critical:Email Address Cannot Contain Space")));
            QCOMPARE(QApplication::focusWidget(), field);
        }
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
