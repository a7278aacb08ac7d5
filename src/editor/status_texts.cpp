#include "editor/status_texts.h"

#include "common/string_table.h"
#include "common/time_text.h"
#include "document/project_data.h"
#include "gui_common/language.h"

QString StatusTime(int32_t ms) { return QString::fromStdString(TimeText(ms)); }

QString BrightnessText(int32_t brightness) { return QString::asprintf("%s=%4d", qUtf8Printable(CoreText(Msg::Brightness)), brightness); }

QString SelectionText(const ProjectData& doc, bool withAll)
{
    const int line = doc.CountSelected();
    QString text = QString("%1=%2").arg(CoreText(Msg::Selected)).arg(line);
    if (withAll) {
        const int all = doc.CountSelectedAll();
        if (all > line)
            text += QString("(%1)").arg(all);
    }
    return text;
}

QString SelectionAllText(const ProjectData& doc)
{
    return QString("%1=%2").arg(CoreText(Msg::Selected)).arg(doc.CountSelectedAll());
}
