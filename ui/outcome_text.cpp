#include "ui/outcome_text.h"

#include <QDateTime>

#include "link/config_layout.h"
#include "model/record.h"
#include "platform/text.h"
#include "ui/option_lists.h"

namespace kx::ui {

namespace {

using Entries = const QStringList& (*)();

// A single setting as its page names it: the heading over its list, and the list.
struct SettingName {
    std::uint8_t command;
    const char* heading;
    Entries entries;
};

constexpr SettingName kSettingNames[] = {
    {CMD_SET_OUTPUT_FORMAT, "Output Format", &OutputFormatEntries},
    {CMD_SET_BORDER_COLOR, "Border Color", &BorderColorEntries},
    {CMD_SET_OUTPUT_LAYOUT, "Output Layout", &LayoutNameEntries},
    {CMD_SET_BORDER_ENABLE, "Border Enable", &BorderEnableEntries},
    {CMD_SET_UMD_ENABLE, "UMD Enable", &OffOnEntries},
    {CMD_SET_UMD_POSITION, "Position", &LeftMiddleRightEntries},
    {CMD_SET_UMD_TEXT_COLOR, "Text Color", &ColorEntries},
    {CMD_SET_UMD_BACK_COLOR, "Background Color", &ColorEntries},
    {CMD_SET_AUDIO_ENABLE, "Meter Enable", &OffOnEntries},
    {CMD_SET_AUDIO_POSITION, "Position", &AudioPositionEntries},
    {CMD_SET_AUDIO_TRANSPARENCY, "Transparency", &AudioTransparencyEntries},
    {CMD_SET_AUDIO_COMBINATION, "Combination", &AudioCombinationEntries},
    {CMD_SET_AUDIO_CHANNEL, "Channel", &AudioChannelEntries},
    {CMD_SET_INPUT_ENABLE, "Status Enable", &OffOnEntries},
    {CMD_SET_INPUT_TEXT_COLOR, "Text Color", &ColorEntries},
    {CMD_SET_INPUT_BACK_COLOR, "Background Color", &ColorEntries},
    {CMD_SET_INPUT_POSITION, "Position", &LeftMiddleRightEntries},
};

const QString kArrow = QStringLiteral(" \u2192 ");
const QString kDot = QStringLiteral(" \u00B7 ");
const QString kDash = QStringLiteral(" \u2014 ");

const SettingName* FindSettingName(std::uint8_t command) {
    for (const SettingName& s : kSettingNames)
        if (s.command == command)
            return &s;
    return nullptr;
}

// The device takes 2 for a meter on the right, which its list shows as its second entry.
int ListIndex(std::uint8_t command, std::uint8_t value) {
    if (command == CMD_SET_AUDIO_POSITION && IsAudioRight(value))
        return 1;
    return value;
}

QString ValueWords(const SettingName& name, std::uint8_t value) {
    const QStringList& entries = name.entries();
    const int index = ListIndex(name.command, value);
    return index < entries.size() ? entries.at(index).trimmed() : QString::number(value);
}

QString LineWords(std::uint8_t line) {
    return QStringLiteral("SDI IN %1 ").arg(line + 1);
}

QString Quoted(const QString& text) {
    return QStringLiteral("\u201C%1\u201D").arg(text);
}

QString SingleSetting(const SettingName& name, const CommandInfo& info,
                      const std::vector<std::uint8_t>& payload) {
    const std::size_t needed = info.PerLine() ? 2 : 1;
    if (payload.size() < needed)
        return QString::fromLatin1(name.heading);
    const QString line = info.PerLine() ? LineWords(payload[0]) : QString();
    return line + QString::fromLatin1(name.heading) + kArrow + ValueWords(name, payload.back());
}

QString UmdTextWords(const std::vector<std::uint8_t>& payload) {
    if (payload.empty())
        return QStringLiteral("Content");
    QString text;
    for (std::size_t i = 1; i + 1 < payload.size(); i += 2)
        text.append(QChar(static_cast<char16_t>(payload[i] | (payload[i + 1] << 8))));
    return LineWords(payload[0]) + QStringLiteral("Content") + kArrow + Quoted(text);
}

QString NameWords(const std::vector<std::uint8_t>& payload) {
    const std::string bytes(payload.begin(), std::find(payload.begin(), payload.end(), 0));
    return QStringLiteral("Custom Name") + kArrow +
           Quoted(QString::fromStdU16String(platform::BytesToWide(bytes)));
}

QString Address(const std::vector<std::uint8_t>& payload, std::size_t at) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(payload[at])
        .arg(payload[at + 1])
        .arg(payload[at + 2])
        .arg(payload[at + 3]);
}

QString NetworkWords(const std::vector<std::uint8_t>& payload) {
    if (payload.size() < netcfg::kSize)
        return QStringLiteral("IP Address");
    return QStringLiteral("IP Address") + kArrow + Address(payload, netcfg::kIp) +
           QStringLiteral(", Subnet Mask ") + Address(payload, netcfg::kMask) +
           QStringLiteral(", Gateway ") + Address(payload, netcfg::kGateway);
}

QString OtherCommandWords(std::uint8_t command, const std::vector<std::uint8_t>& payload) {
    switch (command) {
    case CMD_READ_ALL:
        return QStringLiteral("Read settings");
    case CMD_SET_DEVICE_NAME:
        return NameWords(payload);
    case CMD_SET_UMD_TEXT:
        return UmdTextWords(payload);
    case CMD_SAVE_CUSTOM:
        return QStringLiteral("Save to Custom%1").arg(payload.empty() ? 0 : payload[0]);
    case CMD_SET_ALL:
        return QStringLiteral("Apply");
    case CMD_SET_NETWORK:
        return NetworkWords(payload);
    default:
        return QStringLiteral("Command 0x%1").arg(command, 2, 16, QLatin1Char('0'));
    }
}

// Changes that the device may have left undone when it did not take them.
bool IsChange(std::uint8_t command) {
    const CommandInfo* info = FindCommand(command);
    return (info != nullptr && info->IsSetting()) || command == CMD_SET_UMD_TEXT ||
           command == CMD_SET_DEVICE_NAME || command == CMD_SET_ALL;
}

QString RoundTrip(std::chrono::microseconds round_trip) {
    const double ms = static_cast<double>(round_trip.count()) / 1000.0;
    return QString::number(ms, 'f', ms < 10.0 ? 1 : 0) + QStringLiteral(" ms");
}

QString SearchText(const OutcomeReport& r) {
    if (r.devices_answered == 0)
        return QStringLiteral("Search: no device answered within %1 ms").arg(r.deadline_ms);
    if (r.devices_answered == 1)
        return QStringLiteral("Search: 1 device answered");
    return QStringLiteral("Search: %1 devices answered").arg(r.devices_answered);
}

QString ResultWords(const OutcomeReport& r) {
    switch (r.outcome) {
    case Outcome::Accepted:
        return r.command == CMD_READ_ALL ? QStringLiteral("answered") : QStringLiteral("accepted");
    case Outcome::Refused:
        return QStringLiteral("refused by the device");
    case Outcome::TimedOut:
        break;
    }
    return QStringLiteral("no answer within %1 ms").arg(r.deadline_ms);
}

// What the operator should make of an exchange that did not go through.
QString Consequence(const OutcomeReport& r) {
    if (!OffersReadAgain(r))
        return {};
    if (r.command == CMD_READ_ALL)
        return kDash + QStringLiteral("the panel shows what it held before");
    return kDash + QStringLiteral("the device may hold something else");
}

} // namespace

QString SettingWords(std::uint8_t command, const std::vector<std::uint8_t>& payload) {
    const CommandInfo* info = FindCommand(command);
    if (const SettingName* name = FindSettingName(command); name != nullptr && info != nullptr)
        return SingleSetting(*name, *info, payload);
    return OtherCommandWords(command, payload);
}

bool OffersReadAgain(const OutcomeReport& report) {
    return report.outcome != Outcome::Accepted && !report.device_ip.empty() &&
           (IsChange(report.command) || report.command == CMD_READ_ALL);
}

QString OutcomeText(const OutcomeReport& r) {
    if (r.kind == ExchangeKind::Search)
        return SearchText(r);
    QString text = SettingWords(r.command, r.payload) + QStringLiteral(": ") + ResultWords(r);
    if (!r.device_text.empty())
        text += kDot + QString::fromStdU16String(r.device_text);
    if (r.outcome != Outcome::TimedOut)
        text += kDot + RoundTrip(r.round_trip);
    return text + Consequence(r);
}

QString LineText(const std::deque<OutcomeReport>& history) {
    if (history.empty())
        return {};
    const OutcomeReport& last = history.back();
    if (last.command != CMD_READ_ALL || history.size() < 2 ||
        history[history.size() - 2].kind != ExchangeKind::Search)
        return OutcomeText(last);
    return SearchText(history[history.size() - 2]) + QStringLiteral("; ") + OutcomeText(last);
}

QString HistoryText(const std::deque<OutcomeReport>& reports) {
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\">");
    for (auto it = reports.rbegin(); it != reports.rend(); ++it) {
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(it->at.time_since_epoch());
        const QString time = QDateTime::fromMSecsSinceEpoch(ms.count()).toString(u"HH:mm:ss");
        const QString style = it->outcome == Outcome::Accepted
                                  ? QString()
                                  : QStringLiteral(" style=\"color:#B05A00\"");
        html += QStringLiteral("<tr%1><td>%2&nbsp;&nbsp;</td><td style=\"white-space:pre\">%3</td>"
                               "</tr>")
                    .arg(style, time, OutcomeText(*it).toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

QString UnappliedText(int count) {
    if (count <= 0)
        return {};
    if (count == 1)
        return QStringLiteral("1 change not applied");
    return QStringLiteral("%1 changes not applied").arg(count);
}

} // namespace kx::ui
