#pragma once

#include <QFont>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

// The arithmetic of the proportional resizer, apart from any window so that
// it can be checked on its own. Sizes and positions are in twips (1440 per
// inch) unless a name says pixels.
namespace ResizeMath {

// Nearest 32-bit integer, a tie going to the even neighbour (2.5 -> 2,
// 3.5 -> 4); values beyond the 32-bit range are clamped.
qint32 roundHalfEven(double value);

// The dimensions of a control that follow the window. A Tag that begins with
// "@" lists them by the letters L, T, W, H anywhere after it, in any case
// and with any separators ("@" alone pins the control); any other Tag, the
// empty one included, lets all four follow.
struct Follow {
    bool left = true;
    bool top = true;
    bool width = true;
    bool height = true;
    bool operator==(const Follow&) const = default;
};
Follow parseTag(const QString& tag);

// A designed value times the ratio of current to designed window size.
inline double scaled(qint32 designed, double ratio) {
    return designed * ratio;
}

// The point size of a designed font in a window grown by the two ratios:
// times the smaller one, never below the design, to the nearest half point
// (so that a window dragged by a few pixels does not set every font anew).
double scaledPointSize(double designed, double xRatio, double yRatio);

// Outer size and position of a window opened at `percent` of a screen of
// the given size: the size is floored to whole twips, the position centres
// it and keeps its fraction.
struct ScreenPlacement {
    double left = 0;
    double top = 0;
    qint32 width = 0;
    qint32 height = 0;
};
ScreenPlacement placeOnScreen(double screenWidth, double screenHeight, quint8 percent);

// Conversions at a logical resolution of `dpi` pixels per inch; pixels
// come out rounded to the nearest whole pixel.
double pixelsToTwips(double pixels, double dpi);
int twipsToPixels(double twips, double dpi);

} // namespace ResizeMath

// What was recorded of one control: for a line control its end points X1,
// Y1, X2, Y2; for any other control Left, Top, Width, Height. Twips, in the
// coordinates of the control's container.
struct ControlLayout {
    QPointer<QWidget> control;
    qint32 first = 0;
    qint32 second = 0;
    qint32 third = 0;
    qint32 fourth = 0;
    QFont font; // the control's font in the designed state
};

// Keeps a window's controls proportional to the window. The window is
// measured once in its designed state (inner size and every control's
// geometry); afterwards each call of ResizeControls puts every control at
// its designed geometry times the ratio of the current to the designed
// inner size, horizontally and vertically on their own, always from the
// recorded values so that nothing accumulates.
//
// The controls of a window are its descendant widgets that carry an
// objectName (names beginning with "qt_" belong to Qt's own composite
// widgets), that belong to the window itself (not to a popup or another
// window) and that no layout places: a widget in its parent's layout (or
// that layout's menu bar) is the layout's business. The bars of a window
// (menu bar, toolbar, status bar) and whatever they hold are its frame,
// which Qt lays out along the window's edges: they are never controls.
// Their order is the order of creation, container before contents.
//
// The inner size of a window is its size less the menu bar that its layout
// holds, as in the classic toolkit, where the menu bar is part of the frame:
// the controls stand in the area below it.
//
// A control refuses a dimension that Qt holds fixed (minimum equal to
// maximum, as setFixedHeight makes it; a drop-down list whose height comes
// from its style is set up that way): that dimension keeps its value while
// the others follow the window. A minimum or maximum size bounds the scaled
// value. A control deleted after the capture is skipped.
//
// Fonts stay as designed, unless the window asks them to follow it
// (setScalesFonts): then each control's designed font grows with the smaller
// of the two ratios, so that a text that fits its control at the designed
// size still fits, larger, in a larger window. A window smaller than
// designed keeps the designed fonts.
//
// Usage in a window: in Form_Load create the resizer, setSourceForm(this),
// SizeFormToScreen(percent) with percent 75, then set the window's own size;
// the resize handler calls ResizeControls(); Form_Unload releases it.
class clsResize {
public:
    clsResize() = default;
    ~clsResize();
    clsResize(const clsResize&) = delete;
    clsResize& operator=(const clsResize&) = delete;

    QWidget* sourceForm() const { return m_form; }
    // Only stores the window: a pending capture stays pending.
    void setSourceForm(QWidget* form) { m_form = form; }

    // Records the window's current state as its design, at once.
    void ReInitialise();

    // Captures the design if still pending, then gives the window an outer
    // size (frame included) of `percent` of the screen's available area,
    // centred in it, and scales the controls.
    void SizeFormToScreen(quint8& percent);

    void setScalesFonts(bool on) { m_scalesFonts = on; }

    // Scales every recorded control to the window's current inner size.
    // Nothing happens for a window without controls or a minimised one; the
    // first call on a window not yet captured only records its design.
    void ResizeControls();

    qint32 designWidth() const { return m_designWidth; }
    qint32 designHeight() const { return m_designHeight; }
    const std::vector<ControlLayout>& layouts() const { return m_layouts; }
    bool needsCapture() const { return m_needsCapture; }

    // The controls of a window, as described above.
    static QList<QWidget*> controlsOf(const QWidget* form);
    // The inner size of a window in pixels, as described above.
    static QSize innerSize(const QWidget* form);

private:
    void CaptureLayout();

    QPointer<QWidget> m_form;
    qint32 m_designWidth = 0;
    qint32 m_designHeight = 0;
    std::vector<ControlLayout> m_layouts;
    bool m_needsCapture = true;
    bool m_scalesFonts = false;
};
