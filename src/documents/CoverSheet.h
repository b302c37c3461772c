#pragma once

class WordDocument;
struct ApplicationState;

// The data sheet of the cover page: the project identification and the
// owner's studio as a two-column table on one page of a word-processor
// document, with no network data.
inline constexpr int CoverSheetRows = 10;
void BuildCoverSheet(WordDocument& doc, const ApplicationState& state);
