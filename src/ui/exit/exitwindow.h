#pragma once

#include "links/referral.h"

#include <QHash>
#include <QPlainTextEdit>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tintwise {

class Effects;
class PictureBox;

/// The multi-line message field. Its text counts line breaks as CR LF, as typed and as sent, although the
/// editor itself keeps paragraphs: "Your Message" plus CR LF survives setting and reading back unchanged.
class MessageField : public QPlainTextEdit
{
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    QString text() const;
    void setText(const QString &text);

protected:
    // Pastes and drops take plain text only, and nothing from a missing or empty record.
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};

/// The exit screen: the last window of every run, with a support message, the maker's other programs
/// and the Refer-A-Friend form. Loading it prepares it: caption, icons, a fresh seed, the support
/// message drawn at random, and topmost, shown without being activated.
class ExitWindow : public QWidget
{
    Q_OBJECT
public:
    /// `record` is the process-wide referral record that "Refer A Friend &Now" writes.
    ExitWindow(Effects &effects, ReferralRecord &record, QWidget *parent = nullptr);

    /// The number (0 to 3) of the support message chosen at loading.
    int supportMessageNumber() const { return m_supportNumber; }

    /// One of the four support messages, read from the resources; empty when out of range.
    static QString supportMessage(int number);
    /// The description of the maker's program family.
    static QString familyDescription();

signals:
    /// "E&xit" was pressed: the process is to end.
    void exitRequested();
    /// The window is closing (its Unload handler): the process is to end.
    void unloading();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildFamilyPanel();
    void buildReferralForm();
    void buildTabOrder();
    void prepare();
    void submit();
    void checkClicked();
    void focusMoved(QWidget *from, QWidget *to);
    void watchField(QWidget *field, const QString &placeholder);
    QString fieldText(const QObject *field) const;
    void setFieldText(QObject *field, const QString &text);

    Effects &m_effects;
    ReferralRecord &m_record;
    int m_supportNumber = 0;
    QPushButton *m_cmdClose = nullptr;
    QPushButton *m_check1 = nullptr;
    QPushButton *m_cmdSubmit = nullptr;
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtEmail = nullptr;
    QLineEdit *m_txtFriendName = nullptr;
    QLineEdit *m_txtFriendEmail = nullptr;
    MessageField *m_txtMessage = nullptr;
    QHash<const QObject *, QString> m_placeholders;
    PictureBox *m_icon = nullptr;
    QLabel *m_caption = nullptr;
    QLabel *m_support = nullptr;
};

} // namespace tintwise
