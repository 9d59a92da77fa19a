// recording_paint_device.h: a paint device that draws nothing and records
// what reaches its paint engine: texts, and the shape calls with the pen
// style they were drawn with.
#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QString>

#include <string>
#include <vector>

namespace lexvane::testing {

class RecordingPaintEngine final : public QPaintEngine {
public:
    RecordingPaintEngine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {
    }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & QPaintEngine::DirtyPen)
            m_pen = state.pen().style();
    }
    Type type() const override { return QPaintEngine::User; }

    void drawTextItem(const QPointF& at, const QTextItem& item) override
    {
        texts.push_back(item.text());
        textPoints.push_back(at);
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { record("pixmap"); }
    void drawRects(const QRect*, int count) override { record("rects", count); }
    void drawRects(const QRectF*, int count) override { record("rects", count); }
    void drawLines(const QLine*, int count) override { record("lines", count); }
    void drawLines(const QLineF*, int count) override { record("lines", count); }
    void drawPath(const QPainterPath&) override { record("path"); }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { record("polygon"); }
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override { record("polygon"); }

    struct Call {
        std::string what;
        int count;
        Qt::PenStyle pen;
    };
    std::vector<QString> texts;
    // Where each text was drawn, in device coordinates.
    std::vector<QPointF> textPoints;
    std::vector<Call> calls;

private:
    void record(const char* what, int count = 1) { calls.push_back({what, count, m_pen}); }

    Qt::PenStyle m_pen = Qt::SolidLine;
};

class RecordingPaintDevice final : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine; }

    mutable RecordingPaintEngine engine;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 1000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 264;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }
};

} // namespace lexvane::testing
