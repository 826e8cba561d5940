// The scan settings, the programmable keys, the embedded message and the
// transmit power adjustment.
#include "fields/FieldBuilders.h"

#include "core/SettingsCaptions.h"
#include "core/SettingsChoices.h"
#include "core/SettingsRules.h"
#include "core/Texts.h"

namespace FieldRows {

using namespace Region;

namespace {

int scanKind(const Codeplug &image)
{
    return qMin(int(image.cell(SettingsPlace::ScanRow, 0)), int(SelectedPriority));
}

} // namespace

void addScanFields(QVector<Field> &fields)
{
    const int S = SettingsPlace::ScanRow;
    Field kind = choiceBits("scan.priority", ScanCaption::Priority, S, 0, 0xFF, scanPriorityItems);
    const Writer storeKind = kind.write;
    kind.write = [=](Codeplug &image, const QString &text) {
        const QString refused = storeKind(image, text);
        if (refused.isEmpty()) {
            // The revert list is rebuilt for the new kind and its selection stored.
            const int k = scanKind(image);
            image.at(S, 4) = qint16(revertValueOfItem(k, revertItemOfValue(k, image.cell(S, 4))));
        }
        return refused;
    };
    fields.append(kind);
    fields.append({"scan.priority_channel", ScanCaption::PriorityChannel, FieldKind::Number, {{S, 1, 0xFF}}, 0,
                   [S](const Codeplug &image, bool) {
                       const int channel = image.cell(S, 1);
                       const bool shown = scanKind(image) == FixedPriority && channel >= 1 && channel <= 16;
                       return shown ? QString::number(channel) : QString();
                   },
                   [S](Codeplug &image, const QString &text) {
                       const QString t = text.trimmed();
                       if (scanKind(image) != FixedPriority)
                           return langText("优先不是固定的", "the priority is not fixed");
                       if (t.isEmpty()) {
                           image.at(S, 1) = Empty;
                           return QString();
                       }
                       if (!isWholeNumberText(t) || t.size() > 2 || t.toInt() < 1 || t.toInt() > 16)
                           return langText("优先信道必须在 1 到 16 之间", "the priority channel must be between 1 and 16");
                       image.at(S, 1) = qint16(t.toInt());
                       return QString();
                   },
                   {}});
    const auto lookBack = [&](const char *id, Bilingual caption, int byte) {
        fields.append({id, caption, FieldKind::Choice, {{S, byte, 0xFF}}, 0,
                       [=](const Codeplug &image, bool) {
                           return lookBackItems().at(lookBackItemOfByte(image.cell(S, byte)));
                       },
                       [=](Codeplug &image, const QString &text) {
                           const Items items = [](bool) { return lookBackItems(); };
                           if (scanKind(image) == NoPriority)
                               return langText("回看时间需要设置优先", "look-back times need a priority");
                           const int item = choiceIndex(items, text);
                           if (item < 0)
                               return unknownItem(items, text);
                           image.at(S, byte) = qint16(lookBackByteOfItem(item));
                           return QString();
                       },
                       [](bool) { return lookBackItems(); }});
    };
    lookBack("scan.look_back_a", ScanCaption::LookBackA, 2);
    lookBack("scan.look_back_b", ScanCaption::LookBackB, 3);
    // The revert list depends on the image's priority kind, so the field
    // has no fixed list of choices.
    fields.append({"scan.revert", ScanCaption::Revert, FieldKind::Choice, {{S, 4, 0xFF}}, 0,
                   [S](const Codeplug &image, bool chinese) {
                       const int k = scanKind(image);
                       return revertChannelItems(k, chinese).at(revertItemOfValue(k, image.cell(S, 4)));
                   },
                   [S](Codeplug &image, const QString &text) {
                       const int k = scanKind(image);
                       const Items items = [k](bool chinese) { return revertChannelItems(k, chinese); };
                       const int item = choiceIndex(items, text);
                       if (item < 0)
                           return unknownItem(items, text);
                       image.at(S, 4) = qint16(revertValueOfItem(k, item));
                       return QString();
                   },
                   {}});
    const auto seconds = [&](const char *id, Bilingual caption, int lowByte) {
        fields.append({id, caption, FieldKind::Number, {{S, lowByte, 0xFF}, {S, lowByte + 1, 0xFF}}, 0,
                       [=](const Codeplug &image, bool) {
                           return QString::number(
                               qMin(image.cell(S, lowByte + 1) * 256 + image.cell(S, lowByte), LongestScanDelay));
                       },
                       [=](Codeplug &image, const QString &text) {
                           const QString t = text.trimmed();
                           if (!isWholeNumberText(t) || t.toInt() > LongestScanDelay)
                               return langText("“%1”不在 0..300 秒之内", "\"%1\" is not 0..300 seconds").arg(t);
                           image.at(S, lowByte) = qint16(t.toInt() % 256);
                           image.at(S, lowByte + 1) = qint16(t.toInt() / 256);
                           return QString();
                       },
                       {}});
    };
    seconds("scan.dropout_delay", ScanCaption::DropoutDelay, 5);
    seconds("scan.tx_dwell", ScanCaption::TxDwell, 7);
}

void addKeyFields(QVector<Field> &fields)
{
    const auto key = [&](const char *id, Bilingual caption, int byte) {
        fields.append({id, caption, FieldKind::Choice, {{SettingsPlace::KeyRow, byte, 0xFF}}, 0,
                       [byte](const Codeplug &image, bool chinese) {
                           return keyFunctionItems(chinese).at(keyItemOfCode(image.cell(SettingsPlace::KeyRow, byte)));
                       },
                       [byte](Codeplug &image, const QString &text) {
                           const int item = choiceIndex(keyFunctionItems, text);
                           if (item < 0)
                               return unknownItem(keyFunctionItems, text);
                           image.at(SettingsPlace::KeyRow, byte) = qint16(keyCodeOfItem(item));
                           return QString();
                       },
                       keyFunctionItems});
    };
    key("key.pf1", KeyCaption::Pf1, SettingsPlace::Pf1Byte);
    key("key.pf2", KeyCaption::Pf2, SettingsPlace::Pf2Byte);
}

void addMessageAndPower(QVector<Field> &fields)
{
    using namespace SettingsPlace;
    fields.append({"message", MessageCaption, FieldKind::Text,
                   wholeBytes(MessageRow, MessageFirstByte, MessageLength), 0,
                   [](const Codeplug &image, bool) { return messageText(image); },
                   [](Codeplug &image, const QString &text) {
                       const QString t = text.trimmed();
                       if (t.size() > MessageLength)
                           return longerThanFive().arg(t);
                       for (const QChar ch : t)
                           if (!isMessageCharacter(ch))
                               return langText("“%1”含有可打印 ASCII 以外的字符",
                                               "\"%1\" holds a character outside printable ASCII").arg(t);
                       storeMessage(image, t);
                       return QString();
                   },
                   {}});
    const auto level = [&](const char *id, Bilingual caption, int byte) {
        fields.append({id, caption, FieldKind::Number, {{PowerRow, byte, 0xFF}}, 0,
                       [byte](const Codeplug &image, bool) { return QString::number(image.cell(PowerRow, byte)); },
                       [byte](Codeplug &image, const QString &text) {
                           const QString t = text.trimmed();
                           if (!isWholeNumberText(t) || t.toInt() > 255)
                               return langText("“%1”不在 0..255 之内", "\"%1\" is not 0..255").arg(t);
                           image.at(PowerRow, byte) = qint16(t.toInt());
                           return QString();
                       },
                       {}});
    };
    level("power.low", {"低功率", "Low power"}, 0);
    level("power.high", {"高功率", "High power"}, 1);
}

} // namespace FieldRows
