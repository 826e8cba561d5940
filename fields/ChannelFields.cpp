// The channel records in both encodings: the grid's and the channel editor's.
#include "fields/FieldBuilders.h"

#include "core/BitField.h"
#include "core/ChannelCaptions.h"
#include "core/ChannelEdits.h"
#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/NumberText.h"
#include "core/SettingsChoices.h"
#include "core/Texts.h"

namespace FieldRows {

void addChannelFields(QVector<Field> &fields, int n)
{
    const QString p = QStringLiteral("channel.%1.").arg(n);
    const auto add = [&](Field f) {
        f.channel = n;
        fields.append(std::move(f));
    };
    const auto inUse = [n](const Codeplug &image, const std::function<QString()> &text) {
        return isChannelEmpty(image, n) ? QString() : text();
    };
    const auto valueInUse = [n](const Codeplug &image, const std::function<FieldValue()> &value) {
        return isChannelEmpty(image, n) ? FieldValue() : value();
    };
    // Every change goes through the channel edits, against the range row
    // of the image it edits: the companion has no windows whose range
    // could differ from it.
    const auto target = [n](const Codeplug &image, ChannelEncoding encoding) {
        return ChannelTarget{n, encoding, workRangeOf(image)};
    };
    const auto emptyChannel = [n](Language language) {
        return langText(language, "信道 %1 为空：请先输入其接收频率", "channel %1 is empty: enter its receive frequency first").arg(n);
    };
    // The refusal of an edit whose value was checked before it: only an
    // empty channel is left to refuse it.
    const auto refusalOf = [=](const ChannelEditOutcome &outcome, Language language) {
        return outcome.message == ChannelMessage::ReceiveFirst ? emptyChannel(language) : QString();
    };
    // A text is refused by an empty channel before it is read.
    const auto needsChannel = [=](const Codeplug &image, Language language, const std::function<QString()> &store) {
        return isChannelEmpty(image, n) ? emptyChannel(language) : store();
    };
    const Items tones = [](Language language) { return toneSelectorItems(language); };

    const auto receiveStore = [=](ChannelEncoding encoding) {
        return [=](Codeplug &image, const FieldValue &value, Language language) {
            QString refused;
            const std::optional<Frequency> rx = channelValue(value, workRangeOf(image), refused, language);
            if (refused.isEmpty())
                setReceive(image, target(image, encoding), rx ? std::optional<double>(rx->mhz()) : std::nullopt,
                           OutOfRangePolicy::Refuse);
            return refused;
        };
    };
    // A frequency box's text is read by the editors' rules into the value
    // it stands for (nothing when emptied), which is stored as a value is.
    const auto fromText = [](const ValueWriter &store) {
        return [=](Codeplug &image, const QString &text, Language language) {
            const QString t = text.trimmed();
            QString refused;
            const std::optional<Frequency> f =
                t.isEmpty() ? std::nullopt : channelEntry(t, workRangeOf(image), refused, language);
            return refused.isEmpty() ? store(image, f ? FieldValue(*f) : FieldValue(), language) : refused;
        };
    };
    const auto receiveWriter = [=](ChannelEncoding encoding) { return fromText(receiveStore(encoding)); };
    const auto frequencyAt = [=](int column) {
        return [=](const Codeplug &image) {
            return valueInUse(image, [&] { return Frequency::read(image, n, column); });
        };
    };

    // Bytes 0..7, shared by both encodings.
    add({p + "receive", GridColumnCaptions[1].caption, FieldKind::Frequency, wholeBytes(n, 0, 4), n,
         [=](const Codeplug &image, Language) { return inUse(image, [&] { return channelRxText(image, n); }); },
         receiveWriter(ChannelEncoding::Grid), {}, frequencyAt(0), receiveStore(ChannelEncoding::Grid)});
    add({p + "offset", {"频差频率(MHZ)", "Offset"}, FieldKind::Frequency, wholeBytes(n, 4, 4), n,
         [=](const Codeplug &image, Language) { return inUse(image, [&] { return frequencyText(image, n, 4); }); },
         readOnly, {}, frequencyAt(4), readOnlyValue});

    // Grid encoding.
    const auto transmitStore = [=](ChannelEncoding encoding) {
        return [=](Codeplug &image, const FieldValue &value, Language language) {
            return needsChannel(image, language, [&] {
                QString refused;
                const std::optional<Frequency> tx = channelValue(value, workRangeOf(image), refused, language);
                if (refused.isEmpty())
                    refused = refusalOf(setTransmit(image, target(image, encoding),
                                                    tx ? std::optional<double>(tx->mhz()) : std::nullopt,
                                                    OutOfRangePolicy::Refuse),
                                        language);
                return refused;
            });
        };
    };
    // An empty channel refuses a transmit text before the text is read.
    const auto transmitWriter = [=](ChannelEncoding encoding) {
        const Writer write = fromText(transmitStore(encoding));
        return [=](Codeplug &image, const QString &text, Language language) {
            return needsChannel(image, language, [&] { return write(image, text, language); });
        };
    };
    const auto transmitValue = [=](ChannelEncoding encoding) {
        return [=](const Codeplug &image) {
            return valueInUse(image, [&] { return shownTransmit(image, n, encoding, workRangeOf(image)); });
        };
    };
    QVector<FieldByte> gridTx = wholeBytes(n, 4, 4);
    gridTx.append({n, GridDirectionByte, DirectionMask});
    add({p + "transmit", GridColumnCaptions[2].caption, FieldKind::Frequency, gridTx, n,
         [=](const Codeplug &image, Language) {
             return inUse(image, [&] { return gridTransmitText(image, n); });
         },
         transmitWriter(ChannelEncoding::Grid), {}, transmitValue(ChannelEncoding::Grid),
         transmitStore(ChannelEncoding::Grid)});

    // A list of the grid or the editor: the position its bytes select (-1
    // for none), and how a chosen position is stored (none: derived). Its
    // value is that position, of a tone or of an item.
    using Position = int (*)(const Codeplug &image, int n);
    using Store = ChannelEditOutcome (*)(Codeplug &image, const ChannelTarget &target, int position);
    const auto choice = [&](const QString &id, Bilingual caption, FieldKind kind, QVector<FieldByte> bytes,
                            Items items, Position position, Store store) {
        const ChannelEncoding encoding =
            id.contains(QStringLiteral(".editor.")) ? ChannelEncoding::Editor : ChannelEncoding::Grid;
        add({id, caption, kind, bytes, n,
             [=](const Codeplug &image, Language language) {
                 return inUse(image, [&] {
                     const QStringList list = items(language);
                     const int k = position(image, n);
                     return k >= 0 && k < list.size() ? list.at(k) : QString();
                 });
             },
             [=](Codeplug &image, const QString &text, Language language) {
                 if (!store)
                     return readOnly(image, text, language);
                 return needsChannel(image, language, [&] {
                     const int k = choiceIndex(items, text);
                     if (k < 0)
                         return kind == FieldKind::Choice ? unknownItem(items, text, language)
                                                          : unknownTone(language).arg(text.trimmed());
                     return refusalOf(store(image, target(image, encoding), k), language);
                 });
             },
             items,
             [=](const Codeplug &image) {
                 return valueInUse(image, [&] {
                     const int k = position(image, n);
                     return kind == FieldKind::Choice ? FieldValue(ChoiceValue{k}) : FieldValue(ToneValue{k});
                 });
             },
             [=](Codeplug &image, const FieldValue &value, Language language) {
                 if (!store)
                     return readOnlyValue(image, value, language);
                 const ChoiceValue *item = std::get_if<ChoiceValue>(&value);
                 const ToneValue *tone = std::get_if<ToneValue>(&value);
                 if (!(kind == FieldKind::Choice ? item != nullptr : tone != nullptr))
                     return notOfItsKind(language);
                 return needsChannel(image, language, [&] {
                     const int k = item ? item->index : tone->position;
                     QString refused = checkPosition(k, items, language);
                     if (refused.isEmpty())
                         refused = refusalOf(store(image, target(image, encoding), k), language);
                     return kind == FieldKind::Choice || refused.isEmpty() ? refused
                                                                           : unknownTone(language).arg(k);
                 });
             }});
    };
    const Items directions = [](Language language) { return shiftDirectionItems(language); };
    choice(p + "direction", {"频差方向", "Duplex"}, FieldKind::Choice, {{n, GridDirectionByte, DirectionMask}},
           directions,
           [](const Codeplug &image, int n) { return imageBits(image, n, GridDirectionByte, DirectionMask) % 3; },
           nullptr);
    choice(p + "decode", GridColumnCaptions[3].caption, FieldKind::GridTone,
           {{n, 8, 0xFF}, {n, GridDirectionByte, 0x10}}, tones,
           [](const Codeplug &image, int n) { return gridTonePosition(image, n, ToneSlot::Decode); },
           [](Codeplug &image, const ChannelTarget &t, int k) { return setTone(image, t, ToneSlot::Decode, k); });
    choice(p + "encode", GridColumnCaptions[4].caption, FieldKind::GridTone,
           {{n, 9, 0xFF}, {n, GridDirectionByte, 0x20}}, tones,
           [](const Codeplug &image, int n) { return gridTonePosition(image, n, ToneSlot::Encode); },
           [](Codeplug &image, const ChannelTarget &t, int k) { return setTone(image, t, ToneSlot::Encode, k); });
    choice(p + "power", GridColumnCaptions[5].caption, FieldKind::Choice, {{n, GridDirectionByte, 0x01}}, gridPowerItems,
           [](const Codeplug &image, int n) { return imageBits(image, n, GridDirectionByte, 0x01); }, setPower);
    choice(p + "bandwidth", GridColumnCaptions[6].caption, FieldKind::Choice, {{n, GridDirectionByte, 0x02}},
           gridBandwidthItems,
           [](const Codeplug &image, int n) { return imageBits(image, n, GridDirectionByte, 0x02); }, setBandwidth);
    QVector<FieldByte> gridNameBytes{{n, GridDirectionByte, 0x08}};
    gridNameBytes += wholeBytes(n, 11, 5);
    const auto gridNameStore = [=](Codeplug &image, const QString &text, Language language) {
        const QString name = text.trimmed();
        const QString refused = checkName(name, language);
        if (refused.isEmpty())
            setName(image, target(image, ChannelEncoding::Grid), name);
        return refused;
    };
    add({p + "name", GridColumnCaptions[7].caption, FieldKind::NameChars, gridNameBytes, n,
         [=](const Codeplug &image, Language) { return inUse(image, [&] { return gridName(image, n); }); },
         gridNameStore, {},
         [=](const Codeplug &image) { return valueInUse(image, [&] { return gridName(image, n); }); },
         storeAs<QString>(gridNameStore)});

    // The channel editor's encoding.
    const QString e = p + "editor.";
    add({e + "receive", EditorCaption::Receive, FieldKind::Frequency, wholeBytes(n, 0, 4), n,
         [=](const Codeplug &image, Language) { return inUse(image, [&] { return channelRxText(image, n); }); },
         receiveWriter(ChannelEncoding::Editor), {}, frequencyAt(0), receiveStore(ChannelEncoding::Editor)});
    QVector<FieldByte> editorTx = wholeBytes(n, 4, 4);
    editorTx.append({n, EditorDirectionByte, DirectionMask});
    add({e + "transmit", EditorCaption::Transmit, FieldKind::Frequency, editorTx, n,
         [=](const Codeplug &image, Language) {
             return inUse(image, [&] { return editorTransmitText(image, n, workRangeOf(image)); });
         },
         transmitWriter(ChannelEncoding::Editor), {}, transmitValue(ChannelEncoding::Editor),
         transmitStore(ChannelEncoding::Editor)});
    choice(e + "direction", {"频差方向", "Duplex"}, FieldKind::Choice, {{n, EditorDirectionByte, DirectionMask}},
           directions,
           [](const Codeplug &image, int n) { return imageBits(image, n, EditorDirectionByte, DirectionMask) % 3; },
           nullptr);
    choice(e + "decode", EditorCaption::Decode, FieldKind::EditorTone, wholeBytes(n, 8, 2), tones,
           [](const Codeplug &image, int n) { return editorTonePosition(image, n, ToneSlot::Decode); },
           [](Codeplug &image, const ChannelTarget &t, int k) { return setTone(image, t, ToneSlot::Decode, k); });
    choice(e + "encode", EditorCaption::Encode, FieldKind::EditorTone, wholeBytes(n, 10, 2), tones,
           [](const Codeplug &image, int n) { return editorTonePosition(image, n, ToneSlot::Encode); },
           [](Codeplug &image, const ChannelTarget &t, int k) { return setTone(image, t, ToneSlot::Encode, k); });
    choice(e + "power", EditorCaption::Power, FieldKind::Choice, {{n, EditorDirectionByte, 0x03}},
           editorPowerItems, editorPowerLevel, setPower);
    choice(e + "bandwidth", EditorCaption::Bandwidth, FieldKind::Choice, {{n, OptionByte, 0x20}},
           editorBandwidthItems, editorBandwidth, setBandwidth);
    const auto editorFlag = [&](const char *name, Bilingual caption, int byte, int bit, bool inverted) {
        Field f = flag(e + name, caption, n, byte, bit, inverted);
        const Reader read = f.read;
        const Writer write = f.write;
        const ValueReader value = f.value;
        const ValueWriter store = f.store;
        f.read = [=](const Codeplug &image, Language language) {
            return inUse(image, [&] { return read(image, language); });
        };
        f.write = [=](Codeplug &image, const QString &text, Language language) {
            return needsChannel(image, language, [&] { return write(image, text, language); });
        };
        f.value = [=](const Codeplug &image) { return valueInUse(image, [&] { return value(image); }); };
        f.store = [=](Codeplug &image, const FieldValue &v, Language language) {
            return needsChannel(image, language, [&] { return store(image, v, language); });
        };
        add(f);
    };
    editorFlag("scan_add", EditorCaption::ScanAdd, ScanSkipByte, ScanSkipBit, true);
    editorFlag("vox", EditorCaption::Vox, OptionByte, VoxBit, false);
    editorFlag("bcl", EditorCaption::Bcl, OptionByte, BclBit, false);
    editorFlag("tx_stop", EditorCaption::TxStop, OptionByte, TxStopBit, false);
    QVector<FieldByte> nameBytes;
    for (int k = 0; k < 5; ++k) {
        const int at = 5 * (n - 1) + k;
        nameBytes.append({Region::NameTableFirstRow + at / RowBytes, at % RowBytes, 0xFF});
    }
    const auto editorNameStore = [=](Codeplug &image, const QString &text, Language language) {
        return needsChannel(image, language, [&] {
            const QString name = text.trimmed();
            QString refused = checkName(name, language);
            if (refused.isEmpty())
                refused = refusalOf(setName(image, target(image, ChannelEncoding::Editor), name), language);
            return refused;
        });
    };
    add({e + "name", EditorCaption::Name, FieldKind::NameChars, nameBytes, n,
         [n](const Codeplug &image, Language) { return editorName(image, n); }, editorNameStore, {},
         [n](const Codeplug &image) { return FieldValue(editorName(image, n)); }, storeAs<QString>(editorNameStore)});
}

} // namespace FieldRows
