#pragma once

#include <QDialog>

class QPushButton;

namespace tintwise {

class Effects;

/// The About box: names the program, says what it is for and links to the maker's site.
/// Shown modally; each opening builds it afresh and closing destroys it.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutWindow(Effects &effects, QWidget *parent = nullptr);

    QPushButton *okButton() const { return m_cmdOK; }

private:
    QPushButton *m_cmdOK = nullptr;
};

} // namespace tintwise
