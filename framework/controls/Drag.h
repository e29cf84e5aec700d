// Drag and drop between controls of the program.
//
// A drag starts with BeginDrag (or by itself on a left press on a control whose DragMode is
// dmAutomatic); the source's OnStartDrag runs. While the mouse moves, the control under it is
// asked through OnDragOver whether it accepts the source, and the cursor shows the source's
// DragCursor where it does and crNoDrop where it does not; a control without an OnDragOver
// handler refuses. Releasing the left button over a control that accepts drops the source there
// (the target's OnDragDrop); the source's OnEndDrag follows, with the target or null when the
// drag ended elsewhere or was cancelled (Escape, another button, the capture taken away).
#pragma once

#include "framework/controls/ControlTypes.h"
#include "framework/system/Types.h"

namespace Tovix {

class TControl;

// What OnStartDrag may hand out to describe the drag; the framework needs none of it.
class TDragObject : public TObject {};

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TDragDropEvent = TEvent<TObject* /*Sender*/, TObject* /*Source*/, int /*X*/, int /*Y*/>;
using TDragOverEvent =
    TEvent<TObject* /*Sender*/, TObject* /*Source*/, int /*X*/, int /*Y*/, TDragState /*State*/, bool& /*Accept*/>;
using TStartDragEvent = TEvent<TObject* /*Sender*/, TDragObject*& /*DragObject*/>;
using TEndDragEvent = TEvent<TObject* /*Sender*/, TObject* /*Target*/, int /*X*/, int /*Y*/>;

namespace DragDetail {

// Starts dragging source. Immediately, or once the mouse has moved threshold pixels away from
// where it is now when immediate is false.
void Begin(TControl* source, bool immediate, int threshold);
// Ends the drag of source: dropped on the current target when drop is true and it accepts.
void End(TControl* source, bool drop);
bool IsDragging(const TControl* control);
// Gives the drag the messages it needs while it runs; true when the message was taken.
bool Intercept(TControl* control, TMessage& m);
// The control is going away: a drag it takes part in ends without it.
void Forget(TControl* control);

}  // namespace DragDetail

// The control at a point of the screen, windowed or graphic, or null.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);

}  // namespace Tovix
