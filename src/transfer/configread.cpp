#include "transfer/configread.h"

#include "link/panellink.h"
#include "model/memorymap.h"
#include "model/settingsstore.h"
#include "transfer/panelread.h"
#include "transfer/transfersteps.h"

namespace {

constexpr int ReadMaximum = 87;
const QString TemperatureFrame = QStringLiteral("sGroupBox_DS18B20");

class Reader {
public:
    Reader(PanelLink& link, SettingsStore& store, const ConfigReadOptions& options)
        : link_(link), host_(link.host()), store_(store), options_(options)
    {
    }

    bool run()
    {
        host_.sound(Sound::Information);
        link_.PortSetup();
        PrepareProgress(link_, ReadMaximum);
        link_.CancelRequested = false;
        if (!link_.Login())
            return false;
        link_.TransferProgress.show();
        // Blocks the walk skips keep the window's values, as they would in place.
        SettingsStore scratch;
        CopyPanelSettings(store_, scratch);
        QString temperature;
        if (!ReadPanelInto(link_, scratch, options_, &temperature))
            return false;
        // Only a whole configuration reaches the window, in one step.
        CopyPanelSettings(scratch, store_);
        host_.setTitle(QStringLiteral("QZV-6 Configurator - [*.qzv]"));
        if (!temperature.isEmpty())
            host_.setControlText(TemperatureFrame, QStringLiteral("Контроллер температуры (%1C)").arg(temperature));
        FinishTransfer(link_, QStringLiteral("Прочитано успешно."));
        return true;
    }

private:
    PanelLink& link_;
    Host& host_;
    SettingsStore& store_;
    const ConfigReadOptions& options_;
};

} // namespace

bool ReadConfiguration(PanelLink& link, SettingsStore& store, const ConfigReadOptions& options)
{
    bool completed = false;
    link.runOperation([&] { completed = Reader(link, store, options).run(); });
    return completed;
}
