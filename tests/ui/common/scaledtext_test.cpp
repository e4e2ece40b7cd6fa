// Run once per scale factor (QT_SCALE_FACTOR): every text of the four windows fits its control and breaks
// into the same lines as on an unscaled screen.
#include "support/fakeeffects.h"
#include "support/windows.h"
#include "ui/common/fonts.h"

#include <QAbstractButton>
#include <QLabel>
#include <QtTest>

#include <memory>

using namespace tintwise;

namespace {

/// Height of a text broken into lines `width` wide; measured on `device`, or at 96 dpi unscaled without one.
int wrappedHeight(const QLabel *label, const QPaintDevice *device)
{
    static QImage unscaled(1, 1, QImage::Format_ARGB32);
    const QFontMetrics metrics(label->font(), device ? const_cast<QPaintDevice *>(device) : &unscaled);
    return metrics.boundingRect(label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap, label->text())
        .height();
}

int advance(const QWidget *widget, const QString &text, const QPaintDevice *device)
{
    static QImage unscaled(1, 1, QImage::Format_ARGB32);
    const QFontMetrics metrics(widget->font(), device ? const_cast<QPaintDevice *>(device) : &unscaled);
    return metrics.horizontalAdvance(text);
}

} // namespace

class ScaledTextTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }

    void textsFitAndBreakAsUnscaled_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"frmMain", "frmDisplay", "frmAbout", "frmNagScreen2"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void textsFitAndBreakAsUnscaled()
    {
        QFETCH(QString, window);
        test::FakeEffects effects;
        effects.randoms = {0.5};
        ReferralRecord record;
        const std::unique_ptr<QWidget> w = test::makeWindow(window, effects, record);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const qreal factor =
            qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1;
        QCOMPARE(w->devicePixelRatioF(), factor);

        int texts = 0;
        for (const QLabel *label : w->findChildren<QLabel *>()) {
            if (label->text().isEmpty() || !label->isVisibleTo(w.get()))
                continue;
            ++texts;
            const QString what = label->objectName() + QStringLiteral(": ") + label->text().left(30);
            if (label->wordWrap()) {
                QVERIFY2(wrappedHeight(label, label) == wrappedHeight(label, nullptr), qPrintable(what));
                QVERIFY2(wrappedHeight(label, label) <= label->contentsRect().height(), qPrintable(what));
            } else {
                QVERIFY2(advance(label, label->text(), label) == advance(label, label->text(), nullptr),
                         qPrintable(what));
                QVERIFY2(advance(label, label->text(), label) <= label->contentsRect().width(), qPrintable(what));
            }
        }
        for (const QAbstractButton *button : w->findChildren<QAbstractButton *>()) {
            const QString text = QString(button->text()).remove(QLatin1Char('&'));
            if (text.isEmpty())
                continue;
            ++texts;
            QVERIFY2(advance(button, text, button) == advance(button, text, nullptr), qPrintable(text));
            QVERIFY2(advance(button, text, button) <= button->width() - 4, qPrintable(text));
        }
        QVERIFY(texts >= 4);
    }
};

QTEST_MAIN(ScaledTextTest)
#include "scaledtext_test.moc"
