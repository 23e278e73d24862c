#include "transfer/configwrite.h"

#include "link/frames.h"
#include "link/panellink.h"
#include "model/catalogue.h"
#include "model/memorymap.h"
#include "model/settingsstore.h"
#include "transfer/configread.h"
#include "transfer/panelbackup.h"
#include "transfer/panelcomparison.h"
#include "transfer/panelread.h"
#include "transfer/transfersteps.h"
#include "transfer/unchosennotice.h"
#include "transfer/writenotices.h"

#include <QDateTime>
#include <QScopeGuard>

namespace {

// The plain write's exchanges; a backup and a verify add a read each.
constexpr int WriteMaximum = 88;
constexpr int ReadExchanges = 4 + 1 + 95;
constexpr qsizetype MinimumPasswordLength = 3;
const QString RestartPayload = QStringLiteral("0008");
const QString OpeningPayload = QStringLiteral("00050144");
constexpr int WaitBeforeRestart = 10;
constexpr qint64 BootWaitLimit = 10000;
const QString InstallerPassword = QStringLiteral("EeAdr_PassInstalator");
const QString Success = QStringLiteral("Записано успешно, ППК перезагружен.");
const int Blocks = int(DeviceMemoryMap().size());

bool isTemperature(const QString& setting)
{
    for (const MemoryBlock& block : DeviceMemoryMap())
        for (const BlockField& field : block.fields)
            if (field.encoding == Encoding::TemperatureWord && field.setting == setting)
                return true;
    return false;
}

QString pageOf(const QString& setting)
{
    const SettingDef* def = FindSetting(setting);
    return def ? def->page : QString();
}

class Writer {
public:
    Writer(PanelLink& link, const SettingsStore& store, const WriteOptions& options)
        : link_(link), host_(link.host()), store_(store), options_(options)
    {
    }

    const std::optional<QString>& lastNotice() const { return notice_; }

    WriteOutcome run()
    {
        host_.sound(Sound::Information);
        if (!checkValues())
            return WriteOutcome::NotWritten;
        link_.PortSetup();
        PrepareProgress(link_, WriteMaximum + (options_.backup ? ReadExchanges : 0)
                                   + (options_.verify ? ReadExchanges + 1 : 0));
        link_.CancelRequested = false;
        if (!link_.Login())
            return WriteOutcome::NotWritten;
        link_.TransferProgress.show();
        if (options_.backup && !backUp())
            return WriteOutcome::NotWritten;
        try {
            if (!writeBlocks() || !restart()) {
                tellCutShort();
                return WriteOutcome::NotWritten;
            }
        } catch (const EComPort&) {
            tellCutShort();
            throw;
        }
        if (options_.verify)
            return verify();
        notice(WrittenNotice(backupPath_));
        FinishTransfer(link_, Success);
        return WriteOutcome::Written;
    }

private:
    // Everything that can stop the write is settled before the port is touched.
    bool checkValues()
    {
        const std::vector<WriteRefusal> refusals = CheckWritable(store_, options_.locale);
        for (const WriteRefusal& refusal : refusals) {
            if (isTemperature(refusal.setting)) {
                host_.showPage(pageOf(refusal.setting));
                host_.message(refusal.text);
                return false;
            }
        }
        const QStringList unchosen = UnchosenPanelChoices(store_);
        if (!unchosen.isEmpty())
            host_.message(UnchosenChoicesNotice(unchosen));
        if (!host_.confirm(QStringLiteral("Вы уверены что хотите записать?")))
            return false;
        if (store_.text(InstallerPassword).size() < MinimumPasswordLength)
            return refuse(pageOf(InstallerPassword), QStringLiteral("Слишком маленький пароль установщика!"));
        if (!refusals.empty()) {
            QStringList texts;
            for (const WriteRefusal& refusal : refusals)
                texts << refusal.text;
            return refuse(pageOf(refusals.front().setting), texts.join(QStringLiteral("\r\n")));
        }
        return true;
    }

    bool refuse(const QString& page, const QString& text)
    {
        host_.sound(Sound::Simple);
        host_.showPage(page);
        host_.message(text);
        return false;
    }

    // What the panel holds before anything is written, saved where the installer can take it back from.
    bool backUp()
    {
        SettingsStore panel;
        CopyPanelSettings(store_, panel);
        if (!ReadPanelInto(link_, panel, {false, options_.locale}))
            return false;
        const QString folder = options_.backupFolder.isEmpty() ? DefaultBackupFolder() : options_.backupFolder;
        const QString path = options_.backupFile.isEmpty()
                                 ? NewBackupPath(folder, link_.inputs.portName, QDateTime::currentDateTime())
                                 : options_.backupFile;
        const QString problem = SaveBackup(panel, path);
        if (!problem.isEmpty()) {
            StopTransfer(link_, BackupFailedText(problem));
            return false;
        }
        backupPath_ = path;
        return true;
    }

    bool send(const QString& payload)
    {
        link_.RequestText = BuildFrame(payload);
        link_.AckExchange();
        if (!link_.LinkFailed)
            ++acknowledged_;
        return !link_.LinkFailed;
    }

    bool writeBlocks()
    {
        // What the panel should hold afterwards, block by block as sent: a value edited
        // while the write runs counts only if its block had not gone yet.
        sent_.emplace();
        CopyPanelSettings(store_, *sent_);
        for (const MemoryBlock& block : DeviceMemoryMap()) {
            WriteRefusal refusal;
            const std::optional<QString> payload = EncodeBlockPayload(block, store_, options_.locale, &refusal);
            if (!payload) {
                // Edited into an unwritable value while the write ran: stop before the restart.
                StopTransfer(link_, refusal.text);
                return false;
            }
            if (!send(*payload))
                return false;
            ApplyWritePayload(block, *payload, *sent_, options_.locale);
        }
        return true;
    }

    bool restart()
    {
        host_.wait(WaitBeforeRestart);
        return send(RestartPayload);
    }

    // Once a block is in, the panel holds a mix of old and new and has not restarted:
    // the installer must know that beyond the link's own message, and how to mend it.
    void tellCutShort()
    {
        if (acknowledged_ > 0)
            notice(PartialWriteNotice(std::min(acknowledged_, Blocks), Blocks, backupPath_));
    }

    // The panel reboots after the restart: it is asked quietly until it answers.
    bool awaitBoot()
    {
        const qint64 start = host_.now();
        do {
            link_.RequestText = BuildFrame(OpeningPayload);
            if (link_.AckExchangeQuietly())
                return true;
            if (link_.CancelRequested)
                return false;
        } while (host_.now() - start < BootWaitLimit);
        return false;
    }

    WriteOutcome verify()
    {
        const bool answered = awaitBoot();
        if (!answered && !link_.CancelRequested)
            StopTransfer(link_, NoAnswerAfterRestartText());
        if (!answered) {
            notice(UnverifiedNotice(backupPath_));
            return WriteOutcome::NotWritten;
        }
        // The password just written is the one the panel asks for now.
        const QString loginPassword = link_.inputs.password;
        const auto restore = qScopeGuard([&] { link_.inputs.password = loginPassword; });
        link_.inputs.password = sent_->text(InstallerPassword);
        SettingsStore readBack;
        CopyPanelSettings(*sent_, readBack);
        if (!link_.Login() || !ReadPanelInto(link_, readBack, {false, options_.locale})) {
            notice(UnverifiedNotice(backupPath_));
            return WriteOutcome::NotWritten;
        }
        const std::vector<PanelDifference> differences = ComparePanelValues(*sent_, readBack);
        if (differences.empty()) {
            notice(VerifiedNotice(backupPath_));
            FinishTransfer(link_, Success);
            return WriteOutcome::Written;
        }
        const QString warning = ReadBackDiffersText(differences, backupPath_);
        notice(warning);
        FinishTransfer(link_, warning, Sound::Error);
        return WriteOutcome::Differs;
    }

    void notice(const QString& text) { notice_ = text; }

    PanelLink& link_;
    Host& host_;
    const SettingsStore& store_;
    const WriteOptions& options_;
    std::optional<QString> notice_;
    int acknowledged_ = 0; // write requests the panel has acknowledged
    QString backupPath_;
    std::optional<SettingsStore> sent_;
};

} // namespace

WriteResult WriteConfiguration(PanelLink& link, const SettingsStore& store, const WriteOptions& options)
{
    Writer writer(link, store, options);
    WriteResult result;
    // The notice is taken even when a port error ends the write by an exception.
    link.runOperation([&] { result.outcome = writer.run(); });
    result.notice = writer.lastNotice();
    return result;
}
