#pragma once
// A CDC that draws nothing and keeps every call as data, for tests that check
// exact layout: which calls, in which order, with which rectangles, points,
// texts, formats, colours and attributes (font, pen, brush, ROP, modes).
//
// Coordinates are recorded as the caller passed them (logical units). Queries
// are answered deterministically, without fonts: a character (UTF-8 code
// point) is `AveCharWidth` wide, twice that for wide East Asian characters;
// the text height is the font's cell height. With lfHeight h < 0 the cell
// height is -h plus a fifth for the leading part (-h * 6 / 5), with h > 0 it
// is h, with 0 it is 16. AveCharWidth is lfWidth when set, otherwise half the
// cell height. Query calls themselves are not recorded.
#include <string>
#include <vector>

#include "platform/CDC.h"

struct DcCall {
    DcCallKind kind{};
    RECT rect{};           // FillSolidRect, FillRect, Rectangle, InvertRect, DrawText (as passed), DrawEdge, BitBlt target
    POINT from{};          // LineTo: the current position before the call; BitBlt: source origin
    POINT to{};            // LineTo/MoveTo: the point given; TextOut: (x, y); Set…Org: the new origin; Set…Ext: (cx, cy)
    std::string text;      // DrawText (count applied), TextOut
    UINT format = 0;       // DrawText format; DrawEdge edge; BitBlt rop
    UINT flags = 0;        // DrawEdge flags
    COLORREF color = 0;    // FillSolidRect colour, FillRect brush colour; SetBkColor/SetTextColor value
    int value = 0;         // SetBkMode/SetROP2/SetMapMode value; SaveDC result; RestoreDC argument
    DcAttributes attr;     // the attributes in effect after the call (font LOGFONT, pen, brush, colours, modes, mapping)
};

class RecordingDC : public CDC {
public:
    struct Device {
        int logPixelsX = 96;
        int logPixelsY = 96;
        int horzRes = 800;        // HORZRES, device pixels
        int vertRes = 600;        // VERTRES
        bool printing = false;
        // Clip box in device pixels; empty means the whole device (0, 0, horzRes, vertRes).
        RECT clipBox{};
        int clipResult = SIMPLEREGION;   // RGN_ERROR to simulate a failing GetClipBox
    };

    RecordingDC() = default;
    explicit RecordingDC(const Device& device) : device_(device) {}

    Device& GetDevice() { return device_; }
    BOOL IsPrinting() const override { return device_.printing ? TRUE : FALSE; }

    const std::vector<DcCall>& Calls() const { return calls_; }
    // Only the calls of one kind, in order.
    std::vector<DcCall> CallsOf(DcCallKind kind) const;
    // The texts of all DrawText and TextOut calls, in order.
    std::vector<std::string> Texts() const;
    void Clear() { calls_.clear(); }

    // The deterministic metrics described above, for a LOGFONT.
    static int CellHeight(const LOGFONT& font);
    static int AveCharWidth(const LOGFONT& font);

protected:
    void OnCall(DcCallKind kind, int value) override;
    void DoFillRect(const RECT& rect, COLORREF color, DcCallKind kind) override;
    void DoRectangle(const RECT& rect) override;
    void DoInvertRect(const RECT& rect) override;
    void DoLine(POINT from, POINT to) override;
    void DoMoveTo(POINT to) override;
    int DoDrawText(std::string_view text, RECT& rect, UINT format) override;
    void DoTextOut(int x, int y, std::string_view text) override;
    void DoDrawEdge(const RECT& rect, UINT edge, UINT flags) override;
    BOOL DoBitBlt(const RECT& dest, CDC* src, POINT srcOrigin, DWORD rop) override;
    SIZE DoGetTextExtent(std::string_view text) const override;
    void DoGetTextMetrics(TEXTMETRIC* metrics) const override;
    int DoGetClipBox(RECT* rect) const override;
    int DoGetDeviceCaps(int index) const override;

private:
    DcCall& Add(DcCallKind kind);

    Device device_;
    std::vector<DcCall> calls_;
};
