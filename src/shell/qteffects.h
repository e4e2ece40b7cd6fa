#pragma once

#include "system/effects.h"

#include <random>

namespace tintwise {

/// Empties the clipboard and, where the platform has one, the selection, leaving valid empty data behind.
void emptyClipboard();

/// The real platform: nested event loops for waiting, Qt message boxes, the desktop's browser.
class QtEffects : public Effects
{
public:
    void pause(int seconds) override;
    void inform(const QString &text) override;
    bool askYesNo(const QString &text) override;
    void critical(const QString &text) override;
    void openWebAddress(const QUrl &url) override;
    void clearClipboard() override;
    QDate today() override;
    void seedRandom() override;
    double random() override;
    void endProcess() override;

private:
    std::mt19937_64 m_engine{0};
};

} // namespace tintwise
