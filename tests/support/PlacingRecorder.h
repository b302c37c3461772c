#pragma once

#include "documents/PrinterPage.h"

#include <vector>

// The text record, with where each text and rule was put on its page (in
// twips of the print position): the box of a text's characters, leading and
// trailing blanks left out, in the record's fixed-pitch metrics.
class PlacingRecorder : public TextPageRecorder {
public:
    struct Placed {
        int page;
        double y;
        double bottom;
        QString text;
        double left = 0;
        double right = 0;
    };
    void drawText(double x, double y, int column, const QString& font, double points,
                  const QString& text) override {
        const PageFontMetrics m = metrics(font, points);
        const QString ink = text.trimmed();
        const double lead = static_cast<double>(text.indexOf(ink)) * m.charWidth;
        placed.push_back({page, y, y + m.lineHeight, text, x + lead,
                          x + lead + static_cast<double>(ink.size()) * m.charWidth});
        TextPageRecorder::drawText(x, y, column, font, points, text);
    }
    void drawLine(double, double y1, double, double, int) override {
        rules.push_back(y1);
        rulePages.push_back(page);
    }
    void newPage() override {
        ++page;
        TextPageRecorder::newPage();
    }
    std::vector<Placed> placed;
    std::vector<double> rules;
    std::vector<int> rulePages;
    int page = 0;
};
