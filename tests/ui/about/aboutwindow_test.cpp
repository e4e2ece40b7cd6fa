#include "links/sitelinks.h"
#include "support/fakeeffects.h"
#include "ui/about/aboutwindow.h"
#include "ui/common/fonts.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace tintwise;

class AboutWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }
    void init()
    {
        m_effects = test::FakeEffects();
        m_box = std::make_unique<AboutWindow>(m_effects);
        m_box->open();
        QVERIFY(QTest::qWaitForWindowExposed(m_box.get()));
    }
    void cleanup() { m_box.reset(); }

    void boxIsFixedAndItsTextsFit()
    {
        QVERIFY(m_box->size() == QSize(423, 264) && m_box->minimumSize() == m_box->maximumSize());
        for (QLabel *label : m_box->findChildren<QLabel *>()) {
            QVERIFY2(label->geometry().right() < m_box->width(), qPrintable(label->objectName()));
            QVERIFY(!label->wordWrap() || label->heightForWidth(label->width()) <= label->height());
        }
    }

    void linksOpenTheirPagesAndLeaveTheBoxOpenOnOk()
    {
        for (const char *name : {"picIcon", "Label1", "Label2", "Label6", "Label5", "lblHomePage"})
            QTest::mouseClick(m_box->findChild<QWidget *>(name), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(m_effects.opened, (QList<QUrl>{sitePageUrl("fully-branded"), sitePageUrl("home-page")}));
        QVERIFY(m_box->isVisible() && m_box->focusWidget() == m_box->okButton());
    }

    void okEnterEscOrTheCloseControlEndTheBox_data()
    {
        // 0: a click on OK, -1: the close control, or a key to OK or, with nothing focused, to the box.
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("nothingFocused");
        QTest::newRow("click on OK") << 0 << false;
        QTest::newRow("close control") << -1 << false;
        QTest::newRow("Return on OK") << int(Qt::Key_Return) << false;
        QTest::newRow("Esc on OK") << int(Qt::Key_Escape) << false;
        QTest::newRow("Esc with nothing focused") << int(Qt::Key_Escape) << true;
    }
    void okEnterEscOrTheCloseControlEndTheBox()
    {
        QFETCH(int, key);
        QFETCH(bool, nothingFocused);
        QSignalSpy finished(m_box.get(), &QDialog::finished);
        QCOMPARE(m_box->focusWidget(), m_box->okButton());
        if (nothingFocused)
            m_box->okButton()->clearFocus();
        if (key == 0)
            QTest::mouseClick(m_box->okButton(), Qt::LeftButton);
        else if (key < 0)
            m_box->close();
        else
            QTest::keyClick(nothingFocused ? static_cast<QWidget *>(m_box.get()) : m_box->okButton(), Qt::Key(key));
        QCOMPARE(finished.count(), 1);
        QVERIFY(!m_box->isVisible());
    }

private:
    test::FakeEffects m_effects;
    std::unique_ptr<AboutWindow> m_box;
};

QTEST_MAIN(AboutWindowTest)
#include "aboutwindow_test.moc"
