#pragma once

#include "ui/common/waitstrip.h"

#include <QMainWindow>

#include <array>
#include <functional>

class QAction;
class QComboBox;
class QPushButton;

namespace tintwise {

class Effects;
class Frame;
class KeyRouter;
class LinkLabel;
class PictureBox;

/// The ritual screen: instructions, the number chooser and the sixteen-patch colour wheel.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(Effects &effects, QWidget *parent = nullptr);

    QComboBox *numberChooser() const { return m_cmbNumber; }
    PictureBox *patch(int index) const { return m_picColor[index]; }
    Frame *waitPanel() const { return m_fraWait; }
    const WaitStrip &waitStrip() const { return m_wait; }
    LinkLabel *coBrandLabel() const { return m_lblCobrand; }
    LinkLabel *fullBrandLabel() const { return m_lblFullBrand; }

    /// The draw's wait on this window (fraWait with its marks). Returns false, without touching the window
    /// again, when the window was deleted during a pause or `carryOn` said no; true when it ran to its end.
    bool playWaitAnimation(const std::function<bool()> &carryOn);

signals:
    void patchClicked(int index);
    void aboutRequested();
    /// The window is closing (the Unload handler): the exit screen takes over.
    void unloading();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildBands(QWidget *client);
    void buildRitualPanel(QWidget *client);
    void buildTabOrder();
    void fillNumberChooser();

    Effects &m_effects;
    Frame *m_fraOne = nullptr;
    Frame *m_fraWait = nullptr;
    WaitStrip m_wait;
    QComboBox *m_cmbNumber = nullptr;
    std::array<PictureBox *, 16> m_picColor{};
    QPushButton *m_cmdExit = nullptr;
    LinkLabel *m_lblCobrand = nullptr;
    LinkLabel *m_lblFullBrand = nullptr;
};

} // namespace tintwise
