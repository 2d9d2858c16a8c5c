#pragma once

#include "tables/CsvReader.h"
#include "tables/TableConversion.h"
#include "tables/TextEncoding.h"

// The records of delimited text as rows of a table; a record lost
// characters when one of its lines did.
class CCsvRows : public IRowSource {
public:
    CCsvRows(const DecodedText& decoded, char separator) : m_decoded(decoded), m_reader(decoded.text, separator) {}

    bool Next(std::vector<std::string>& cells, bool& lostCharacters) override;
    std::size_t Row() const override { return m_reader.Record(); }

private:
    const DecodedText& m_decoded;
    CCsvReader m_reader;
    std::size_t m_nextReplaced = 0;
};
