// Hand-edited settings: the integer reader and the INI store must take any text without
// crashing and without letting the default leak into a value that parsed.
#include "base/ProfileText.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

namespace {

void checkParse(std::string_view text)
{
    const int first = velarin::ParseProfileInt(text, 17);
    const int second = velarin::ParseProfileInt(text, -23);
    // Either the text is an integer (both reads agree) or both reads are their defaults.
    if (first != second && !(first == 17 && second == -23))
        std::abort();
}

void checkStore(const uint8_t* data, size_t size)
{
    // A new file name per input: QSettings caches files by name and modification time.
    static unsigned counter = 0;
    const QString path = QDir::temp().absoluteFilePath(
        QStringLiteral("velarin-settings-fuzz-%1-%2.ini").arg(::getpid()).arg(++counter));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    {
        velarin::QtSettingsStore store(path);
        using namespace velarin::keys;
        for (const char* section : { kSettings, kSerial, kNetwork, kIrig }) {
            for (const char* key : { kTimeUpdateRate, kTLSats, kPort, kBaud, kDevice, kTimeServer,
                     kIRIGEnable, kOnePpsInput }) {
                const int value = store.GetProfileInt(section, key, 17);
                const std::string text = store.GetProfileString(section, key, "");
                if (value != 17 && velarin::ParseProfileInt(text, 17) != value)
                    std::abort();
            }
        }
    }
    QFile::remove(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    checkParse(std::string_view(reinterpret_cast<const char*>(data), size));
    checkStore(data, size);
    return 0;
}
