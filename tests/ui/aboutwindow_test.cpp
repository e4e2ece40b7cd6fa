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
    QCOMPARE(m_box->objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(m_box->windowTitle(), QStringLiteral("Zorvel Tintwise v1.25"));
    QCOMPARE(m_box->size(), QSize(423, 264));
    QCOMPARE(m_box->minimumSize(), m_box->maximumSize());
    QVERIFY(!(m_box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    // Fixed boxes, and for one-line labels only the place (the size follows the text).
    const std::pair<const char *, QRect> places[] = {
        {"picIcon", {10, 10, 34, 34}}, {"cmdOK", {336, 232, 84, 23}}, {"Label6", {16, 152, 385, 45}},
        {"Label1", {14, 56, 399, 43}}, {"Label5", {240, 208, 0, 0}},  {"lblHomePage", {104, 120, 0, 0}},
        {"Label2", {64, 16, 0, 0}},
    };
    for (const auto &[name, place] : places) {
        QWidget *control = child(name);
        QVERIFY2(control, name);
        if (place.isEmpty()) {
            auto *label = qobject_cast<QLabel *>(control);
            QCOMPARE(label->pos(), place.topLeft());
            QVERIFY2(label->geometry().right() < m_box->width(), name);
        } else {
            QCOMPARE(control->geometry(), place);
        }
        if (auto *label = qobject_cast<QLabel *>(control); label && label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
    }
    for (const char *link : {"Label5", "lblHomePage"})
        QVERIFY2(child(link)->cursor().shape() == Qt::BitmapCursor, link);

    // The magenta rule crosses the whole grey box, behind the link below it.
    const QImage shot = m_box->grab().toImage();
    for (int x : {0, 200, m_box->width() - 1})
        QCOMPARE(QColor(shot.pixel(x, 224)), QColor(0xFF, 0x00, 0xFF));
    QCOMPARE(QColor(shot.pixel(200, 225)), QColor(0x40, 0x40, 0x40));
    const QObjectList order = m_box->children();
    QVERIFY(order.indexOf(child("Label5")) > order.indexOf(child("Line2")));
    QVERIFY(order.indexOf(child("picIcon")) > order.indexOf(child("cmdOK")));
}

void AboutWindowTest::linksLeaveItOpenAndOkEnterEscOrCloseEndIt()
{
    for (const char *still : {"picIcon", "Label1", "Label2", "Label6"})
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
