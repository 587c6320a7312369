#include "platform/vcard/VCardLibrary.h"

#include "platform/vcard/IndexedCard.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace vcard {

namespace {

std::unique_ptr<IndexedCard> g_current;

IndexedCard& current()
{
    if (!g_current)
        g_current = std::make_unique<IndexedCard>();
    return *g_current;
}

int copyOut(const QString& value, QChar* buffer, int bufferSize)
{
    if (buffer && bufferSize > 0) {
        const qsizetype n = std::min<qsizetype>(value.size(), bufferSize - 1);
        std::copy_n(value.constData(), n, buffer);
        buffer[n] = QChar(u'\0');
    }
    return static_cast<int>(std::min<qsizetype>(value.size(), INT_MAX));
}

} // namespace

int InitializevCard()
{
    current().clear();
    return 0;
}

int ReadvCardIntoMemory(const QString& fileName)
{
    switch (current().load(fileName)) {
    case ReadResult::Error::None:
        return 0;
    case ReadResult::Error::NoCard:
        return 2;
    default:
        return 1;
    }
}

int GetvCardProp(QChar* buffer, int bufferSize, int index)
{
    return copyOut(current().value(index), buffer, bufferSize);
}

int GetV0vCardProp(QChar* buffer, int bufferSize, int index)
{
    return copyOut(current().v0Value(index), buffer, bufferSize);
}

int AddvCardProp(int index, const QString& value)
{
    return current().setValue(index, value) ? 0 : 1;
}

int SavevCardToFile(const QString& fileName, files::Durability durability)
{
    const SaveResult result = current().save(fileName, durability);
    if (result)
        return 0;
    return result.error == SaveResult::Error::ReadOnly ? 1 : 2;
}

void ReleasevCard()
{
    g_current.reset();
}

} // namespace vcard
