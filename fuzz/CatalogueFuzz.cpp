// A song catalogue (MusicLib.TXT, or any bytes in its place) searched for songs and
// albums. The quick search, which decodes only the lines that can hold the query, must
// give the rows and counts of decoding every line, whatever the chunks the file comes
// in; the queries are fixed ones and pieces of the file itself.
#include "FuzzSupport.h"
#include "discovery/SongCatalogue.h"
#include "platform/CodePage.h"

#include <cstdlib>

using namespace tolvane;

namespace {

void Check(const QByteArray& bytes, CatalogueSearch::Kind kind, const QString& query)
{
    CatalogueSearch every(kind, query), whole(kind, query), pieces(kind, query);
    every.DecodeEveryLine();
    every.Feed(bytes);
    every.Finish();
    whole.Feed(bytes);
    whole.Finish();
    // Chunks of sizes taken from the bytes, as a file read in parts.
    for (qsizetype at = 0, step = 1; at < bytes.size(); at += step) {
        step = 1 + uchar(bytes[at]) % 17;
        pieces.Feed(QByteArrayView(bytes).sliced(at, std::min(step, bytes.size() - at)));
    }
    pieces.Finish();
    for (const CatalogueSearch* search : {&whole, &pieces}) {
        if (search->rows != every.rows || search->Counted() != every.Counted())
            std::abort();
    }
    for (const QStringList& row : every.rows) {
        if (row.size() != 3 || (kind == CatalogueSearch::Songs && row[0].isEmpty()))
            std::abort();
    }
    if (every.rows.size() > every.Counted())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    const QString text = CodePage().DecodeFile(bytes);
    QStringList queries = {"", "MOON", "月", "<Dir>", ", ", "ａ", "ß"};
    if (text.size() > 4) {
        const qsizetype from = uchar(bytes[0]) % text.size();
        queries.append(text.mid(from, 1 + uchar(bytes[1]) % 4).trimmed());
    }
    for (const QString& query : queries) {
        Check(bytes, CatalogueSearch::Songs, query);
        Check(bytes, CatalogueSearch::Albums, query);
    }
    return 0;
}
