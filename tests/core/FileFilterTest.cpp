#include "core/session/FileFilter.h"

#include <gtest/gtest.h>

TEST(ClassicFilter, PairsBecomeNameFilters) {
    const QStringList filters =
        ClassicFilterToNameFilters(QStringLiteral("Tutti i file|*.*|Documenti|*.doc;*.rtf"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters.at(0), QStringLiteral("Tutti i file (*.*)"));
    EXPECT_EQ(filters.at(1), QStringLiteral("Documenti (*.doc *.rtf)"));
}

TEST(ClassicFilter, DescriptionWithItsOwnPatternKeepsIt) {
    const QStringList filters = ClassicFilterToNameFilters(QStringLiteral("Testo (*.txt)|*.txt"));
    ASSERT_EQ(filters.size(), 1);
    EXPECT_EQ(filters.front(), QStringLiteral("Testo (*.txt) (*.txt)"));
}

TEST(ClassicFilter, IncompleteOrEmptyPairsAreDropped) {
    EXPECT_TRUE(ClassicFilterToNameFilters(QString()).isEmpty());
    EXPECT_EQ(ClassicFilterToNameFilters(QStringLiteral("Dati|Tubarex-dati-*|Solo descrizione")),
              QStringList{QStringLiteral("Dati (Tubarex-dati-*)")});
    EXPECT_EQ(ClassicFilterToNameFilters(QStringLiteral("Vuoto| ; |Dati|*")),
              QStringList{QStringLiteral("Dati (*)")});
    EXPECT_EQ(ClassicFilterToNameFilters(QStringLiteral("|*.txt")), QStringList{"*.txt"});
}

TEST(ClassicFilter, IndexIsOneBased) {
    const QStringList filters{QStringLiteral("A (*.a)"), QStringLiteral("B (*.b)")};
    EXPECT_EQ(SelectedNameFilter(filters, 1), filters.at(0));
    EXPECT_EQ(SelectedNameFilter(filters, 2), filters.at(1));
    EXPECT_EQ(SelectedNameFilter(filters, 0), filters.at(0));
    EXPECT_EQ(SelectedNameFilter(filters, 3), filters.at(0));
    EXPECT_TRUE(SelectedNameFilter({}, 1).isEmpty());
}
