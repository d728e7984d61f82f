#include "document_dump.h"

#include <algorithm>
#include <string>

#include <QColor>
#include <QRect>
#include <QString>

#include <velloran-qt/qt_window_host.h>
#include <velloran/objects/line_obj.h>
#include <velloran/objects/object.h>
#include <velloran/tools/creator.h>

#include "main_window.h"
#include "sketch_form.h"

namespace sketch {

using namespace vl;

namespace {

std::ostream& operator<<(std::ostream& out, const QRect& r) {
    return out << r.x() << ',' << r.y() << ',' << r.width() << ',' << r.height();
}

std::string Utf8(const String& s) {
    return QString::fromStdU16String(s).toStdString();
}

std::string Hex(TColor c) {
    c = ColorToRGB(c);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c)).name().toStdString();
}

} // namespace

void PrintLayout(const MainWindow& window, std::ostream& out) {
    out << "ready window=" << window.winId() << " view=" << window.ViewRect();
    for (TMouseTool* tool : window.Form().ToolBarTools())
        out << " tool:" << Utf8(tool->Name()) << '=' << window.ButtonRect(window.ToolAction(tool));
    for (const auto& [name, action] : window.ViewActions())
        out << " action:" << name.toStdString() << '=' << window.ButtonRect(action);
    out << '\n';
    for (TMouseTool* tool : window.Form().ToolBarTools())
        if (auto* c = dynamic_cast<TvlCreator*>(tool))
            out << "creator " << Utf8(c->Name()) << " pen=" << Hex(c->Generator().Pen().Color)
                << " brush="
                << (c->Generator().Brush().Style == TBrushStyle::bsSolid
                        ? Hex(c->Generator().Brush().Color)
                        : std::string("none"))
                << '\n';
    out.flush();
}

void PrintDocument(const MainWindow& window, std::ostream& out) {
    TvlDataModule& doc = *window.Form().Document();
    const TScaleSetting& map = window.Form().DrawBox->ScaleSetting();
    out << "objects " << doc.Count() << '\n';
    doc.AllObjects(
        [&](TvlObject* o) {
            const TLimRec lim = o->GetLimits();
            const QPoint a = window.LogToWindow({lim.Xmin, lim.Ymin});
            const QPoint b = window.LogToWindow({lim.Xmax, lim.Ymax});
            // Every object of the sketch comes from a creator.
            out << "object creator=" << Utf8(static_cast<TvlCreator*>(o->Tool())->Name()) << " id=" << o->ObjID
                << " x=" << o->GetX() << " y=" << o->GetY()
                << " world=" << map.LogToWorld(o->GetX()) << ',' << map.LogToWorld(o->GetY())
                << " window=" << std::min(a.x(), b.x()) << ',' << std::min(a.y(), b.y()) << ','
                << std::max(a.x(), b.x()) << ',' << std::max(a.y(), b.y());
            if (const auto* line = dynamic_cast<const TLineObj*>(o)) {
                out << " x2=" << line->GetX2() << " y2=" << line->GetY2();
                // Where each end hangs: creator#id, or "free".
                auto end = [&](const TvlObject* m) {
                    if (m == line || !m) return std::string("free");
                    return Utf8(static_cast<TvlCreator*>(m->Tool())->Name()) + '#' + std::to_string(m->ObjID);
                };
                out << " end1=" << end(line->GetMaster()) << " end2=" << end(line->GetMaster2());
            }
            // Last on the line, as it may hold spaces; line breaks are shown as \n.
            if (const String text = o->GetText(); !text.empty())
                out << " text=" << QString::fromStdU16String(text).replace("\r\n", "\\n").toStdString();
            out << '\n';
        });
    out.flush();
}

} // namespace sketch
