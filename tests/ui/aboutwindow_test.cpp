#include "links/sitelinks.h"
#include "support/fakeeffects.h"
#include "ui/about/aboutwindow.h"
#include "ui/common/controls.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace tintwise;

class AboutWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void layoutFollowsTheDesign();
    void linksLeaveItOpenAndOkEnterEscOrCloseEndIt();

private:
    QWidget *child(const char *name) const { return m_box->findChild<QWidget *>(QLatin1String(name)); }

    test::FakeEffects m_effects;
    std::unique_ptr<AboutWindow> m_box;
};

void AboutWindowTest::init()
{
    registerFontSubstitutes();
    m_effects = test::FakeEffects();
    m_box = std::make_unique<AboutWindow>(m_effects);
    m_box->open();
    QVERIFY(QTest::qWaitForWindowExposed(m_box.get()));
}

void AboutWindowTest::layoutFollowsTheDesign()
{
    QCOMPARE(m_box->size(), QSize(423, 264));
    QCOMPARE(m_box->minimumSize(), m_box->maximumSize());
    QVERIFY(!(m_box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    for (QLabel *label : m_box->findChildren<QLabel *>()) {
        QVERIFY2(label->geometry().right() < m_box->width(), qPrintable(label->objectName()));
        if (label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->objectName()));
    }
    // The magenta rule crosses the whole grey box, behind the link below it.
    const QImage shot = m_box->grab().toImage();
    for (int x : {0, 200, m_box->width() - 1})
        QCOMPARE(QColor(shot.pixel(x, 224)), QColor(0xFF, 0x00, 0xFF));
    QCOMPARE(QColor(shot.pixel(200, 225)), QColor(0x40, 0x40, 0x40));
    const QObjectList order = m_box->children();
    QVERIFY(order.indexOf(child("Label5")) > order.indexOf(child("Line2")));
}

void AboutWindowTest::linksLeaveItOpenAndOkEnterEscOrCloseEndIt()
{
    for (const char *still : {"picIcon", "Label1", "Label2", "Label6"}) // only tell
        QTest::mouseClick(child(still), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(child("Label5"), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(child("lblHomePage"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(m_effects.opened, (QList<QUrl>{sitePageUrl("fully-branded"), sitePageUrl("home-page")}));
    QVERIFY(m_box->isVisible());

    // 0: a click on OK, -1: the close control; keys go to OK, or to the box with nothing focused.
    const std::pair<int, bool> ways[] = {{0, false},
                                         {-1, false},
                                         {Qt::Key_Return, false},
                                         {Qt::Key_Enter, false},
                                         {Qt::Key_Escape, false},
                                         {Qt::Key_Escape, true},
                                         {Qt::Key_Return, true}};
    for (const auto &[key, nothingFocused] : ways) {
        init();
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
        QVERIFY2(finished.count() == 1 && !m_box->isVisible(), qPrintable(QString::number(key)));
    }
}

QTEST_MAIN(AboutWindowTest)
#include "aboutwindow_test.moc"
