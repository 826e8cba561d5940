#include "core/ChannelRows.h"

#include "core/ChannelRecord.h"
#include "core/ChannelUse.h"

#include <algorithm>
#include <tuple>

namespace {


ChannelOrder identityOrder()
{
    ChannelOrder order(Region::LastChannelRow);
    for (int i = 0; i < Region::LastChannelRow; ++i)
        order[i] = i + 1;
    return order;
}

// What a sort compares of a channel in use; names without case.
struct SortValue {
    Frequency receive;
    QString name;
    int decode = 0;
    int encode = 0;
};

} // namespace

std::optional<ChannelOrder> movedOrder(QVector<int> selected, int step)
{
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    if (selected.isEmpty() || selected.first() + step < 1 || selected.last() + step > Region::LastChannelRow)
        return std::nullopt;
    ChannelOrder order = identityOrder();
    // Walk towards the end the channels move to, so that a block moves as
    // one: each selected channel swaps with the one now beside it.
    if (step > 0)
        std::reverse(selected.begin(), selected.end());
    for (int n : selected)
        std::swap(order[n - 1], order[n - 1 + step]);
    return order;
}

std::optional<ChannelOrder> insertedOrder(const Codeplug &image, int n)
{
    if (!isChannelEmpty(image, Region::LastChannelRow))
        return std::nullopt;
    ChannelOrder order = identityOrder();
    order.insert(n - 1, 0);
    order.removeLast();
    return order;
}

ChannelOrder removedOrder(const QVector<int> &selected)
{
    ChannelOrder order;
    for (int n = 1; n <= Region::LastChannelRow; ++n)
        if (!selected.contains(n))
            order << n;
    order.resize(Region::LastChannelRow, 0);
    return order;
}

ChannelOrder sortedOrder(const Codeplug &image, const QVector<int> &places, ChannelSortKey key)
{
    QVector<int> used;
    QVector<SortValue> values(Region::LastChannelRow + 1);
    for (int n : places) {
        if (isChannelEmpty(image, n))
            continue;
        used << n;
        values[n] = {Frequency::read(image, n, 0), gridName(image, n).trimmed().toCaseFolded(),
                     gridTonePosition(image, n, ToneSlot::Decode), gridTonePosition(image, n, ToneSlot::Encode)};
    }
    std::stable_sort(used.begin(), used.end(), [&](int a, int b) {
        const SortValue &x = values.at(a), &y = values.at(b);
        switch (key) {
        case ChannelSortKey::Receive:
            return x.receive < y.receive;
        case ChannelSortKey::Name:
            return x.name < y.name;
        default:
            return std::tie(x.decode, x.encode) < std::tie(y.decode, y.encode);
        }
    });
    ChannelOrder order = identityOrder();
    for (int k = 0; k < places.size(); ++k)
        order[places.at(k) - 1] = k < used.size() ? used.at(k) : 0;
    return order;
}

QVector<ReferenceLeft> arrangeChannels(Codeplug &image, const ChannelOrder &order)
{
    QVector<ChannelContent> before(Region::LastChannelRow + 1);
    for (int n = 1; n <= Region::LastChannelRow; ++n)
        before[n] = channelContent(image, n);
    for (int n = 1; n <= Region::LastChannelRow; ++n) {
        const int from = order.at(n - 1);
        storeChannelContent(image, n, from == 0 ? emptyChannelContent() : before.at(from));
    }
    QVector<ReferenceLeft> left;
    for (const ChannelReference &reference : ChannelReferences) {
        const int named = storedSetting(image, reference.id);
        if (named < 1 || named > reference.last)
            continue;
        const int now = int(order.indexOf(named)) + 1;
        if (now == named)
            continue;
        if (now >= 1 && now <= reference.last)
            storeSetting(image, reference.id, now);
        else
            left.append({reference.id, named});
    }
    return left;
}
