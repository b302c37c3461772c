#include "documents/CoverSheet.h"
#include "core/session/ApplicationState.h"
#include "documents/WordDocument.h"

#include <gtest/gtest.h>

namespace {

const char* const Titles[CoverSheetRows] = {"tipologia",
                                            "progetto",
                                            "località",
                                            "tipologia di studio",
                                            "committente",
                                            "luogo di elaborazione",
                                            "data della elaborazione",
                                            "allegati alla relazione",
                                            "studio tecnico",
                                            "indirizzo dello studio"};

} // namespace

TEST(CoverSheetTest, EmptyFieldsStillGiveTitlesLeftColumnAndOwnerRows) {
    ApplicationState state;
    InitApplicationState(state);
    state.program.OwnerName = QStringLiteral("Studio Tecnico Rossi");
    state.program.OwnerAddress = QStringLiteral("via Po 3, Torino");
    WordDocument doc;
    BuildCoverSheet(doc, state);

    EXPECT_TRUE(doc.paperA4());
    const auto paragraphs = doc.paragraphs();
    ASSERT_GE(paragraphs.size(), 4u);
    EXPECT_EQ(paragraphs[0]->text(), state.program.ProgramName);
    EXPECT_EQ(paragraphs[0]->runs.at(0).fontSize, 18);
    EXPECT_EQ(paragraphs[1]->text(), state.program.ProgramSubtitle);
    EXPECT_EQ(paragraphs[3]->text(), QStringLiteral("Dati generali"));

    ASSERT_EQ(doc.tableCount(), 1);
    const WordTableContent& table = doc.table(1);
    EXPECT_EQ(table.rows, 10);
    EXPECT_EQ(table.columns, 2);
    EXPECT_EQ(table.fontSize, 10);
    EXPECT_EQ(table.autoFormat, 9);
    for (int r = 1; r <= CoverSheetRows; ++r)
        EXPECT_EQ(table.cell(r, 1).text, QString::fromUtf8(Titles[r - 1])) << r;
    EXPECT_EQ(table.cell(1, 2).text, QStringLiteral("dati"));
    for (int r = 2; r <= 8; ++r)
        EXPECT_TRUE(table.cell(r, 2).text.isEmpty()) << r;
    EXPECT_EQ(table.cell(9, 2).text, state.program.OwnerName);
    EXPECT_EQ(table.cell(10, 2).text, state.program.OwnerAddress);
}

TEST(CoverSheetTest, FieldsGoToTheirRows) {
    ApplicationState state;
    InitApplicationState(state);
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        state.project.cover.field(i) =
            ProjectIdentification::fieldName(i) + QStringLiteral(" è scritto");
    WordDocument doc;
    BuildCoverSheet(doc, state);
    const WordTableContent& table = doc.table(1);
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        EXPECT_EQ(table.cell(i + 2, 2).text, state.project.cover.field(i)) << i;
}
