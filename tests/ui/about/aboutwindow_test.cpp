#include "links/sitelinks.h"
#include "support/fakeeffects.h"
#include "ui/about/aboutwindow.h"
#include "ui/common/fonts.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace tintwise;

class AboutWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }

    void fixedBoxWhoseLinksLeaveItOpenAndOkEnterEscOrCloseEndIt()
    {
        // 0: a click on OK, -1: the close control, or a key to OK or, with nothing focused, to the box.
        const std::pair<int, bool> ways[] = {
            {0, false}, {-1, false}, {Qt::Key_Return, false}, {Qt::Key_Escape, false}, {Qt::Key_Escape, true}};
        for (const auto &[key, nothingFocused] : ways) {
            test::FakeEffects effects;
            AboutWindow box(effects);
            box.open();
            QVERIFY(QTest::qWaitForWindowExposed(&box));
            QVERIFY(box.size() == QSize(423, 264) && box.minimumSize() == box.maximumSize());
            for (QLabel *label : box.findChildren<QLabel *>()) {
                QVERIFY2(label->geometry().right() < box.width(), qPrintable(label->objectName()));
                QVERIFY(!label->wordWrap() || label->heightForWidth(label->width()) <= label->height());
            }
            for (const char *name : {"picIcon", "Label1", "Label2", "Label6", "Label5", "lblHomePage"})
                QTest::mouseClick(box.findChild<QWidget *>(name), Qt::LeftButton, {}, QPoint(5, 5));
            QCOMPARE(effects.opened, (QList<QUrl>{sitePageUrl("fully-branded"), sitePageUrl("home-page")}));
            QSignalSpy finished(&box, &QDialog::finished);
            QVERIFY(box.isVisible() && box.focusWidget() == box.okButton());
            if (nothingFocused)
                box.okButton()->clearFocus();
            if (key == 0)
                QTest::mouseClick(box.okButton(), Qt::LeftButton);
            else if (key < 0)
                box.close();
            else
                QTest::keyClick(nothingFocused ? static_cast<QWidget *>(&box) : box.okButton(), Qt::Key(key));
            QVERIFY2(finished.count() == 1 && !box.isVisible(), qPrintable(QString::number(key)));
        }
    }
};

QTEST_MAIN(AboutWindowTest)
#include "aboutwindow_test.moc"
