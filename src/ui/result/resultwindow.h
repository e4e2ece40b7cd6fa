#pragma once

#include "ui/common/waitstrip.h"

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tintwise {

class Effects;
class Frame;
struct SelectionRecord;

/// The result of one reading: the Day, Problem and Solution colour panels revealed in turn behind a wait,
/// and the Show All panel. Five panels share one rectangle; the frontmost visible one is what the user sees.
class ResultWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit ResultWindow(Effects &effects, QWidget *parent = nullptr);

    /// Writes the reading's names and texts into the twelve controls, in the draw's order.
    void fillReading(const SelectionRecord &record);
    /// Day colour panel in front, Show All panel hidden: where every reading opens.
    void openOnDayPanel();
    /// Abandons a reveal still pausing on this window and hides its wait panel, so that its last step
    /// cannot bring an old panel over a new reading.
    void cancelReveal();

    /// The frontmost of the visible panels, or null if none is visible.
    QWidget *frontPanel() const;
    Frame *dayPanel() const { return m_fraCoosenColor; }
    Frame *problemPanel() const { return m_fraProblemColor; }
    Frame *solutionPanel() const { return m_fraSolutionColor; }
    Frame *showAllPanel() const { return m_frmShowAll; }
    Frame *waitPanel() const { return m_fraMsg; }
    const WaitStrip &waitStrip() const { return m_wait; }

signals:
    /// Back, by the button or the File menu: the shell hides this window and shows the main window.
    void backRequested();
    void aboutRequested();
    /// The window is closing (the Unload handler): the exit screen takes over.
    void unloading();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct ColourPanel
    {
        Frame *frame = nullptr;
        QLabel *name = nullptr;
        QLabel *text = nullptr;
        QPushButton *button = nullptr;
    };
    struct ColourPanelDesign;

    void buildMenus();
    void buildBands(QWidget *client);
    ColourPanel buildColourPanel(QWidget *client, const ColourPanelDesign &design);
    void buildShowAllPanel(QWidget *client);
    void buildWaitPanel(QWidget *client);
    void buildTabOrder();

    void bringToFront(QWidget *panel);
    void reveal(QPushButton *from, const ColourPanel &target);
    void cmdShowAll_Click();

    Effects &m_effects;
    Frame *m_frame5 = nullptr;
    Frame *m_fraMsg = nullptr;
    WaitStrip m_wait;
    Frame *m_fraCoosenColor = nullptr;
    Frame *m_fraProblemColor = nullptr;
    Frame *m_fraSolutionColor = nullptr;
    Frame *m_frmShowAll = nullptr;
    ColourPanel m_day;
    ColourPanel m_problem;
    ColourPanel m_solution;
    QLabel *m_lblShowAllDayColor = nullptr;
    QLabel *m_lblShowAllProblemColor = nullptr;
    QLabel *m_lblShowAllSolutionColor = nullptr;
    QPlainTextEdit *m_txtShowAllDayColorDesc = nullptr;
    QPlainTextEdit *m_txtShowAllProblemColorDesc = nullptr;
    QPlainTextEdit *m_txtShowAllSolutionColorDesc = nullptr;
    QPushButton *m_cmdBack = nullptr;
    QPushButton *m_cmdExit = nullptr;
    std::array<QWidget *, 3> m_descriptionViewports{};

    /// Counts readings and cancels: a reveal carries on only while it still matches.
    int m_readingSerial = 0;
    bool m_unloaded = false;
};

} // namespace tintwise
