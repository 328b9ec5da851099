// The directory query address of a page: keys, order and the search rules.
#include "QueryAddress.h"

#include <gtest/gtest.h>

namespace {

struct QueryCase {
    const char* name;
    PageQuery query;
    const char* expectedQuery;  // after the base address
};

void PrintTo(const QueryCase& c, std::ostream* os) { *os << c.name; }

class QueryAddressTest : public ::testing::TestWithParam<QueryCase> {
protected:
    void SetUp() override {
        qputenv("RADIOSIFT_CLASSIC_HOST", "classic.test");
        qputenv("RADIOSIFT_MAIN_HOST", "main.test:8080");
    }
};

PageQuery Query(int start, int size, const char* genre, const char* maxBitrate = "",
                bool ordered = false, const char* search = "") {
    PageQuery query;
    query.startOffset = start;
    query.pageSize = size;
    query.genre = QString::fromUtf8(genre);
    query.maxBitrateText = QString::fromUtf8(maxBitrate);
    query.orderByBitrate = ordered;
    query.searchText = QString::fromUtf8(search);
    return query;
}

TEST_P(QueryAddressTest, BuildsTheClassicQuery) {
    const QueryCase& c = GetParam();
    EXPECT_EQ(BuildQueryAddress(c.query),
              QStringLiteral("http://classic.test/directory/index.phtml?") + QString::fromUtf8(c.expectedQuery));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, QueryAddressTest,
    ::testing::Values(
        QueryCase{"FirstPageOfTheDefaultSize", Query(0, 25, "Rock"), "&sgenre=Rock"},
        QueryCase{"SecondPageOf25", Query(25, 25, "Rock"), "startat=25&sgenre=Rock"},
        QueryCase{"SecondPageOf100OrderedWithMaximum", Query(100, 100, "Rock", "128", true),
                  "startat=100&numresult=100&sgenre=Rock&maxbitrate=128&orderby=bitrate"},
        QueryCase{"FirstPageOf5", Query(0, 5, "TopTen"), "numresult=5&sgenre=TopTen"},
        QueryCase{"SearchWithBlanks", Query(0, 5, "Search", "", false, "50s and 60s"),
                  "numresult=5&s=50s+and+60s"},
        QueryCase{"SearchWithAmpersandSendsNoKey", Query(0, 5, "Search", "", false, "rock & roll"),
                  "numresult=5"},
        QueryCase{"EmptySearchSendsNeitherKey", Query(0, 25, "Search"), ""},
        QueryCase{"BlanksOnlySearchSendsPluses", Query(0, 25, "Search", "", false, "  "), "&s=++"},
        QueryCase{"SearchTextIgnoredForAGenre", Query(0, 25, "Jazz", "", false, "abc"), "&sgenre=Jazz"},
        QueryCase{"LowerCaseSearchIsAGenre", Query(0, 25, "search", "", false, "abc"), "&sgenre=search"},
        QueryCase{"OneCharacterMaximumIsNotSent", Query(0, 25, "Jazz", "9"), "&sgenre=Jazz"},
        QueryCase{"NothingIsPercentEncoded", Query(0, 25, "R&B é"), "&sgenre=R&B é"}),
    [](const ::testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.name); });

TEST_F(QueryAddressTest, CurrentLayoutUsesTheMainHost) {
    PageQuery query = Query(0, 25, "Rock");
    query.currentLayout = true;
    EXPECT_EQ(BuildQueryAddress(query), QStringLiteral("http://main.test:8080/index.jsp?&sgenre=Rock"));
}

}  // namespace
