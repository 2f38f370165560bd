#include "frame/xml_stream.h"

#include <QtCore/QStringEncoder>

#include <gtest/gtest.h>

namespace {

// Every token as text: what a parser could see of the document.
QStringList tokens(QXmlStreamReader &reader)
{
    QStringList seen;
    while (!reader.atEnd()) {
        reader.readNext();
        QString token = reader.tokenString() + QLatin1Char(' ') + reader.qualifiedName().toString()
                + QLatin1Char(' ') + reader.text().toString();
        const QXmlStreamAttributes attributes = reader.attributes();
        for (const QXmlStreamAttribute &attribute : attributes) {
            token += QLatin1Char(' ') + attribute.qualifiedName().toString() + QLatin1Char('=')
                    + attribute.value().toString();
        }
        seen.append(token);
    }
    if (reader.hasError())
        seen.append(QStringLiteral("error %1 at %2:%3")
                            .arg(reader.errorString())
                            .arg(reader.lineNumber())
                            .arg(reader.columnNumber()));
    return seen;
}

// The reader decodes in chunks; the whole document at once (addData) is the
// oracle, also where multi-byte characters straddle a chunk boundary.
QStringList oracle(const QByteArray &data)
{
    QXmlStreamReader reader;
    reader.setNamespaceProcessing(false);
    reader.addData(data);
    return tokens(reader);
}

QString bodyWithWideCharacters(int padding)
{
    QString body = QStringLiteral("<instances>") + QString(padding, u' ');
    for (int i = 0; i < 1500; ++i)
        body += QStringLiteral("<i id='cam%1' location='Studio S\u00FCd \u20AC \U0001F3A5'>x\u00E9</i>\n").arg(i);
    return body + QStringLiteral("</instances>");
}

struct EncodingCase
{
    const char *label;
    const char *encoding; // of the bytes and, unless empty, of the declaration
    bool declare;
};

class DocumentReaderChunks : public ::testing::TestWithParam<EncodingCase> { };

TEST_P(DocumentReaderChunks, ReadsWhatTheWholeDocumentGives)
{
    const EncodingCase c = GetParam();
    // Shifting the text moves the characters across the chunk boundaries.
    for (int padding = 0; padding < 4; ++padding) {
        QString text = bodyWithWideCharacters(padding);
        if (c.declare)
            text.prepend(QStringLiteral("<?xml version='1.0' encoding='%1'?>")
                                 .arg(QLatin1String(c.encoding)));
        QStringEncoder encoder(c.encoding, QStringEncoder::Flag::WriteBom);
        const QByteArray data = encoder(text);
        ASSERT_GT(data.size(), 3 * 8192);
        vrex::DocumentReader reader(data);
        EXPECT_EQ(tokens(reader), oracle(data)) << c.label << " padding " << padding;
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, DocumentReaderChunks, ::testing::Values(
    EncodingCase{"utf8", "UTF-8", false},
    EncodingCase{"utf8Declared", "UTF-8", true},
    EncodingCase{"utf16", "UTF-16LE", false},
    EncodingCase{"utf16Declared", "UTF-16BE", true}),
    [](const ::testing::TestParamInfo<EncodingCase> &info) { return info.param.label; });

TEST(DocumentReader, DeclaredSingleByteEncodingSwitchesAfterTheFirstChunk)
{
    QByteArray data("<?xml version='1.0' encoding='ISO-8859-1'?><r>");
    while (data.size() < 3 * 8192)
        data += "<e a='S\xFC" "d'>\xE9</e>";
    data += "</r>";
    vrex::DocumentReader reader(data);
    const QStringList seen = tokens(reader);
    EXPECT_EQ(seen, oracle(data));
    EXPECT_TRUE(seen.filter(QStringLiteral("a=S\u00FCd")).size() > 1000);
}

TEST(DocumentReader, FaultsAreReportedWhereTheWholeDocumentReportsThem)
{
    const QByteArray truncated = bodyWithWideCharacters(1).toUtf8().chopped(5);
    vrex::DocumentReader reader(truncated);
    EXPECT_EQ(tokens(reader), oracle(truncated));

    QByteArray broken = bodyWithWideCharacters(0).toUtf8();
    broken.insert(20000, "<oops>");
    vrex::DocumentReader brokenReader(broken);
    const QStringList seen = tokens(brokenReader);
    EXPECT_EQ(seen, oracle(broken));
    EXPECT_TRUE(seen.last().startsWith(QStringLiteral("error")));
}

} // namespace
