#include "display/modCountdownLayout.h"

#include "display/CountdownForm.h"
#include "display/ElasticPanel.h"
#include "display/FormControls.h"
#include "display/HiddenLabel.h"
#include "display/StatusBar.h"
#include "foundation/VbValues.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace modCountdown {
namespace {

// A panel of the form, looked up by its control name when a step first uses it, so a missing
// control ends the layout at that step and the steps before it stay done.
template <class Control> class ControlRef {
public:
    ControlRef(const CountdownForm& form, const char* name, int index = -1)
        : m_form(form), m_name(name), m_index(index)
    {
    }
    Control* operator->() const { return get(); }
    operator Control*() const { return get(); }

private:
    Control* get() const
    {
        if (!m_control)
            m_control = lookUp();
        return m_control;
    }
    Control* lookUp() const
    {
        const QString name = QString::fromLatin1(m_name);
        if constexpr (std::is_same_v<Control, StatusBar>)
            return FormControls::statusBar(m_form, name);
        else
            return m_index < 0 ? FormControls::panel(m_form, name) : FormControls::panel(m_form, name, m_index);
    }

    const CountdownForm& m_form;
    const char* m_name;
    int m_index;
    mutable Control* m_control = nullptr;
};

// The panels of one form.
struct Panels {
    explicit Panels(const CountdownForm& form)
        : image(form, "c1eImage")
        , captions(form, "c1eCaptions")
        , top(form, "c1eTop")
        , eventCaption(form, "c1eEventCaption")
        , eventDate(form, "c1eEventDate")
        , frame(form, "c1eIntervalsLeft", 0)
        , logo(form, "c1eAdvertiserLogo")
        , statusBar(form, "StatusBar1")
    {
    }
    ControlRef<ElasticPanel> image;
    ControlRef<ElasticPanel> captions;
    ControlRef<ElasticPanel> top;
    ControlRef<ElasticPanel> eventCaption;
    ControlRef<ElasticPanel> eventDate;
    ControlRef<ElasticPanel> frame;
    ControlRef<ElasticPanel> logo;
    ControlRef<StatusBar> statusBar;
};

// Sizes are never negative: a window shorter than its status bar, or layout 7's logo in a
// small window, would otherwise hand the panels a negative extent.
void setWidth(ElasticPanel* panel, double twips) { panel->setWidth(std::max(0.0, twips)); }
void setHeight(ElasticPanel* panel, double twips) { panel->setHeight(std::max(0.0, twips)); }

void place(ElasticPanel* panel, double top, double left, double width, double height)
{
    panel->setTop(top);
    panel->setLeft(left);
    setWidth(panel, width);
    setHeight(panel, height);
}

double scaleWidth(const CountdownForm& form) { return form.ScaleWidth(); }

// The height left above the status bar, read afresh each time.
double availableHeight(const CountdownForm& form, const Panels& p)
{
    const double height = form.ScaleHeight();
    return p.statusBar->Visible() ? height - p.statusBar->Height() : height;
}

void headingBlock(const Panels& p)
{
    place(p.eventCaption, 0, 0, p.top->Width(), 0.75 * p.top->Height());
    place(p.eventDate, p.eventCaption->Height(), 0, p.top->Width(), 0.25 * p.top->Height());
}

// The column of layouts 1 and 2, from the heading down: frame of boxes, then the logo.
void columnBelowHeading(CountdownForm& form, const Panels& p)
{
    headingBlock(p);
    place(p.frame, p.top->Height(), 0, p.captions->Width(), 0.4 * p.captions->Height());
    StackIntervalBoxes(form);
    place(p.logo, p.top->Height() + p.frame->Height(), 0, p.captions->Width(), 0.15 * p.captions->Height());
}

// The strip of layouts 3 and 4, from the left: heading, frame of boxes, logo.
void stripBesideHeading(CountdownForm& form, const Panels& p)
{
    place(p.top, 0, 0, 0.45 * p.captions->Width(), p.captions->Height());
    headingBlock(p);
    place(p.frame, 0, p.top->Width(), 0.4 * p.captions->Width(), p.captions->Height());
    StackIntervalBoxes(form);
    place(p.logo, 0, p.top->Width() + p.frame->Width(), 0.15 * p.captions->Width(), p.captions->Height());
}

void layout1(CountdownForm& form, const Panels& p)
{
    p.image->setVisible(true);
    p.image->setTop(0);
    p.image->setLeft(0);
    if (!p.statusBar->Visible())
        setHeight(p.image, form.ScaleHeight());
    else if (form.ScaleHeight() - p.statusBar->Height() > 0)
        setHeight(p.image, form.ScaleHeight() - p.statusBar->Height());
    setWidth(p.image, 0.66 * scaleWidth(form));
    place(p.captions, 0, p.image->Width(), 0.34 * scaleWidth(form), p.image->Height());
    place(p.top, 0, 0, p.captions->Width(), 0.45 * p.captions->Height());
    columnBelowHeading(form, p);
}

void layout2(CountdownForm& form, const Panels& p)
{
    p.image->setVisible(true);
    place(p.image, 0, 0, 0.66 * scaleWidth(form), availableHeight(form, p));
    place(p.captions, 0, 0, 0.33 * scaleWidth(form), p.image->Height());
    place(p.image, 0, p.captions->Width(), 0.67 * scaleWidth(form), availableHeight(form, p));
    p.image->setVisible(true);
    place(p.top, 0, 0, p.captions->Width(), 0.45 * p.captions->Height());
    p.image->setVisible(true);
    columnBelowHeading(form, p);
}

void layout3(CountdownForm& form, const Panels& p)
{
    place(p.image, 0, 0, scaleWidth(form), 0.66 * availableHeight(form, p));
    p.image->setVisible(true);
    place(p.captions, p.image->Height(), 0, scaleWidth(form), 0.33 * availableHeight(form, p));
    stripBesideHeading(form, p);
}

void layout4(CountdownForm& form, const Panels& p)
{
    place(p.captions, 0, 0, scaleWidth(form), 0.33 * availableHeight(form, p));
    place(p.image, p.captions->Height(), 0, scaleWidth(form), 0.66 * availableHeight(form, p));
    p.image->setVisible(true);
    stripBesideHeading(form, p);
}

// Layouts 5 to 7 hide the picture but still size it; the text area fills the form.
void hidePictureAndFillCaptions(CountdownForm& form, const Panels& p, double imageTop, double imageWidth)
{
    place(p.image, imageTop, 0, imageWidth, availableHeight(form, p));
    p.image->setVisible(false);
    place(p.captions, 0, 0, scaleWidth(form), availableHeight(form, p));
}

void layout5(CountdownForm& form, const Panels& p)
{
    hidePictureAndFillCaptions(form, p, p.captions->Height(), scaleWidth(form));
    place(p.top, 0, 0, 0.35 * p.captions->Width(), 0.85 * p.captions->Height());
    headingBlock(p);
    place(p.logo, p.top->Height(), 0, p.top->Width(), 0.15 * p.captions->Height());
    // The frame is as wide as the whole text area, so it reaches past the right edge.
    place(p.frame, 0, p.top->Width(), p.captions->Width(), p.captions->Height());
    StackIntervalBoxes(form);
}

void layout6(CountdownForm& form, const Panels& p)
{
    hidePictureAndFillCaptions(form, p, 0, 0.66 * scaleWidth(form));
    place(p.top, 0, 0, p.captions->Width(), 0.45 * p.captions->Height());
    headingBlock(p);
    place(p.frame, p.top->Height(), 0, p.captions->Width(), 0.4 * p.captions->Height());
    StackIntervalBoxes(form);
    p.logo->setTop(p.top->Height() + p.frame->Height());
    setWidth(p.logo, 0.25 * scaleWidth(form));
    p.logo->setLeft((scaleWidth(form) - p.logo->Width()) * 0.5);
    setWidth(p.logo, 0.25 * scaleWidth(form));
    setHeight(p.logo, 0.15 * p.captions->Height());
}

void layout7(CountdownForm& form, const Panels& p)
{
    hidePictureAndFillCaptions(form, p, 0, 0.66 * scaleWidth(form));
    place(p.top, 0, 0, 0.5 * p.captions->Width(), p.captions->Height());
    headingBlock(p);
    place(p.frame, 0, p.top->Width(), 0.5 * p.captions->Width(), 0.75 * p.captions->Height());
    StackIntervalBoxes(form);
    place(p.logo, p.frame->Height(), p.top->Width(), 0.15 * p.captions->Width(),
          0.25 * p.captions->Height() - 100);
}

} // namespace

void LayoutCountdownForm(CountdownForm& form)
{
    const double number = vb::val(FormControls::label(form, QStringLiteral("lblLayout"))->Caption());
    using Layout = void (*)(CountdownForm&, const Panels&);
    static constexpr Layout layouts[] = {layout1, layout2, layout3, layout4, layout5, layout6, layout7};
    for (int n = 1; n <= 7; ++n) {
        if (number == n) {
            layouts[n - 1](form, Panels(form));
            break;
        }
    }
    ElasticPanel* caption = FormControls::panel(form, QStringLiteral("c1eEventCaption"));
    caption->setHeight(caption->Height());
}

void StackIntervalBoxes(CountdownForm& form)
{
    const QString name = QStringLiteral("c1eIntervalsLeft");
    ElasticPanel* frame = FormControls::panel(form, name, 0);
    int visible = 0;
    for (int i = 1; i <= 6; ++i)
        visible += FormControls::panel(form, name, i)->Visible() ? 1 : 0;
    if (visible == 0)
        return;
    // 32-bit whole numbers: a full-screen frame on a tall screen passes 32767 twips.
    const int32_t boxHeight = std::max<int32_t>(0, vb::clng(frame->Height() * (1.0 / visible)));
    int32_t boxTop = 0;
    for (int i = 1; i <= 6; ++i) {
        ElasticPanel* box = FormControls::panel(form, name, i);
        if (!box->Visible())
            continue;
        place(box, boxTop, 0, frame->Width(), boxHeight);
        boxTop = vb::clng(double(boxTop) + boxHeight);
    }
}

} // namespace modCountdown
