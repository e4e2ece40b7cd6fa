// Pastes into the exit screen's form after the program emptied the clipboard, and hostile clipboard contents,
// with the real clipboard and the real emptying.
#include "shell/qteffects.h"
#include "ui/common/fonts.h"
#include "ui/exit/exitwindow.h"

#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QtTest>

#include <functional>
#include <memory>

using namespace tintwise;

namespace {

const char *const kFields[] = {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail", "txtMessage"};

enum class Path
{
    Keys, // Ctrl+V
    ShiftInsert,
    ContextMenu,
    MiddleClick, // the selection, where the platform has one
};

// How the clipboard is left before the paste.
enum class Clipboard
{
    EmptiedByProgram,
    RecordWithoutFormats,
    NoRecord,
};

} // namespace

class PasteTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        registerFontSubstitutes();
        m_window = std::make_unique<ExitWindow>(m_effects, m_record);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void emptiedClipboardHoldsValidEmptyData()
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        for (QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
            if (mode == QClipboard::Selection && !clipboard->supportsSelection())
                continue;
            clipboard->setText(QStringLiteral("from another program"), mode);
        }
        m_effects.clearClipboard();
        for (QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
            if (mode == QClipboard::Selection && !clipboard->supportsSelection())
                continue;
            const QMimeData *data = clipboard->mimeData(mode);
            QVERIFY2(data, "no record left behind");
            QVERIFY(data->hasText() && data->text().isEmpty());
            QVERIFY(!data->hasHtml() && !data->hasImage() && !data->hasUrls());
        }
    }

    void pasteOfNothingLeavesEveryFieldUnchanged_data()
    {
        QTest::addColumn<Clipboard>("clipboard");
        QTest::addColumn<Path>("path");
        QTest::addColumn<QString>("field");
        const std::pair<Clipboard, const char *> clipboards[] = {{Clipboard::EmptiedByProgram, "emptied"},
                                                                 {Clipboard::RecordWithoutFormats, "no format"},
                                                                 {Clipboard::NoRecord, "no record"}};
        const std::pair<Path, const char *> paths[] = {{Path::Keys, "Ctrl+V"},
                                                       {Path::ShiftInsert, "Shift+Insert"},
                                                       {Path::ContextMenu, "menu Paste"},
                                                       {Path::MiddleClick, "middle click"}};
        for (const auto &[clipboard, clipboardName] : clipboards)
            for (const auto &[path, pathName] : paths)
                for (const char *field : kFields)
                    QTest::addRow("%s, %s, %s", clipboardName, pathName, field)
                        << clipboard << path << QString::fromLatin1(field);
    }
    void pasteOfNothingLeavesEveryFieldUnchanged()
    {
        QFETCH(Clipboard, clipboard);
        QFETCH(Path, path);
        QFETCH(QString, field);
        QClipboard *board = QGuiApplication::clipboard();
        board->setText(QStringLiteral("from another program"));
        switch (clipboard) {
        case Clipboard::EmptiedByProgram:
            m_effects.clearClipboard();
            break;
        case Clipboard::RecordWithoutFormats:
            board->setMimeData(new QMimeData);
            break;
        case Clipboard::NoRecord:
            board->clear();
            break;
        }
        QWidget *target = focus(field);
        const QString before = text(target);
        paste(target, path);
        QCOMPARE(text(target), before);
    }

    void hostileClipboardContents_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<std::function<QMimeData *()>>("make");
        QTest::addColumn<QString>("expected"); // what the message field holds afterwards; lines take their share
        const QString megabyte(1 << 20, QLatin1Char('x'));
        const QString controls = QStringLiteral("a") + QChar(0) + QStringLiteral("b\x01\x07\x1b[2J\x7f\tc");
        const QString rtl = QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u202Eabc\u202C \u0645\u0631\u062D\u0628\u0627");
        const auto text = [](const QString &value) {
            return std::function<QMimeData *()>([value] {
                auto *data = new QMimeData;
                data->setText(value);
                return data;
            });
        };
        const std::function<QMimeData *()> image = [] {
            auto *data = new QMimeData;
            QImage picture(64, 64, QImage::Format_ARGB32);
            picture.fill(Qt::red);
            data->setImageData(picture);
            return data;
        };
        const std::function<QMimeData *()> htmlOnly = [] {
            auto *data = new QMimeData;
            data->setHtml(QStringLiteral("<img src=\"file:///etc/passwd\"><b>bold</b><script>x()</script>"));
            return data;
        };
        const std::function<QMimeData *()> htmlAndText = [] {
            auto *data = new QMimeData;
            data->setHtml(QStringLiteral("<table><tr><td><b>cell</b></td></tr></table>"));
            data->setText(QStringLiteral("cell"));
            return data;
        };
        for (const char *field : kFields) {
            const QString name = QString::fromLatin1(field);
            QTest::addRow("1 MB of text, %s", field) << name << text(megabyte) << megabyte;
            QTest::addRow("NUL and control characters, %s", field) << name << text(controls) << controls;
            QTest::addRow("right to left, %s", field) << name << text(rtl) << rtl;
            QTest::addRow("an image, %s", field) << name << image << QString();
            QTest::addRow("HTML alone, %s", field) << name << htmlOnly << QString();
            QTest::addRow("HTML with plain text, %s", field) << name << htmlAndText << QStringLiteral("cell");
        }
    }
    void hostileClipboardContents()
    {
        QFETCH(QString, field);
        QFETCH(std::function<QMimeData *()>, make);
        QFETCH(QString, expected);
        QGuiApplication::clipboard()->setMimeData(make());
        QWidget *target = focus(field);
        setText(target, QString());
        paste(target, Path::Keys);
        if (auto *line = qobject_cast<QLineEdit *>(target)) {
            // A one-line field keeps what its editor accepts of the text, as plain text.
            QLineEdit reference;
            reference.setMaxLength(line->maxLength());
            reference.insert(expected);
            QCOMPARE(line->text(), reference.text());
        } else {
            QCOMPARE(text(target), expected); // plain text only: no picture, no markup
            QVERIFY(!static_cast<MessageField *>(target)->document()->toHtml().contains(QLatin1String("<img")));
        }
        // The field still takes typing afterwards.
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(target, QStringLiteral("ok"));
        QCOMPARE(text(target), QStringLiteral("ok"));
    }

private:
    QWidget *focus(const QString &name)
    {
        auto *field = m_window->findChild<QWidget *>(name);
        field->setFocus(Qt::TabFocusReason); // the placeholder leaves as the focus comes
        return field;
    }
    static QString text(QWidget *field)
    {
        auto *line = qobject_cast<QLineEdit *>(field);
        return line ? line->text() : static_cast<MessageField *>(field)->text();
    }
    static void setText(QWidget *field, const QString &value)
    {
        auto *line = qobject_cast<QLineEdit *>(field);
        line ? line->setText(value) : static_cast<MessageField *>(field)->setText(value);
    }
    static void paste(QWidget *field, Path path)
    {
        auto *line = qobject_cast<QLineEdit *>(field);
        auto *message = qobject_cast<MessageField *>(field);
        switch (path) {
        case Path::Keys:
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            break;
        case Path::ShiftInsert:
            QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
            break;
        case Path::ContextMenu: {
            std::unique_ptr<QMenu> menu(line ? line->createStandardContextMenu()
                                             : message->createStandardContextMenu());
            QAction *pasteEntry = nullptr;
            for (QAction *entry : menu->actions())
                if (entry->text().remove(QLatin1Char('&')).startsWith(QLatin1String("Paste")))
                    pasteEntry = entry;
            QVERIFY(pasteEntry);
            pasteEntry->trigger(); // as chosen, even where the menu shows it disabled
            break;
        }
        case Path::MiddleClick: {
            QWidget *surface = line ? static_cast<QWidget *>(line) : message->viewport();
            QTest::mouseClick(surface, Qt::MiddleButton, {}, QPoint(4, 4));
            break;
        }
        }
    }

    QtEffects m_effects;
    ReferralRecord m_record;
    std::unique_ptr<ExitWindow> m_window;
};

QTEST_MAIN(PasteTest)
#include "paste_test.moc"
