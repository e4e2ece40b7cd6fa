#include "shell/settingsstore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace tintwise {
namespace {

// The store's path needs an organisation level; the maker's program family groups its programs' files.
const QString kOrganization = QStringLiteral("Arcanel");
const QString kSection = QStringLiteral("Settings");

} // namespace

SettingsStore::SettingsStore(const QString &applicationName)
    : m_applicationName(applicationName.isEmpty() ? executableBaseName() : applicationName)
{
}

QString SettingsStore::executableBaseName()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (name.isEmpty())
        name = QCoreApplication::applicationName();
    return name;
}

std::optional<QString> SettingsStore::read(const QString &key) const
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganization, m_applicationName);
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    settings.beginGroup(kSection);
    if (!settings.contains(key))
        return QString();
    const QVariant value = settings.value(key);
    // Lists, byte arrays and other typed values can only come from an outside edit: not ours to read.
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

bool SettingsStore::write(const QString &key, const QString &value)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganization, m_applicationName);
    // A file that does not parse would be rewritten with only what was understood: leave it alone.
    // This sees it only on the first parse in this process; later ones come from the settings cache.
    if (settings.status() != QSettings::NoError)
        return false;
    settings.beginGroup(kSection);
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace tintwise
