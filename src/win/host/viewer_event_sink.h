// The event sink object that ComViewerControl advises on the viewer's connection point:
// it answers the viewer's event interface, takes each event's arguments by value, fits
// them to host's event table and hands them to a host::ViewerEvents sink.
#pragma once

#include <windows.h>

#include <map>

#include "host/viewer_events.h"
#include "win/com/com_ptr.h"
#include "win/com/table_dispatch.h"

namespace nimbo::win::host {

// `events` maps the viewer's DISPIDs to host's events; `sink` is borrowed until the
// object is disconnected. An event whose arguments do not fit is refused with a type
// mismatch (13) to the viewer; what the sink raises goes back to the viewer too.
com::ComPtr<com::TableDispatch> MakeViewerEventSink(
    REFIID eventInterface, const std::map<DISPID, const nimbo::host::ViewerEvent*>& events,
    nimbo::host::ViewerEvents& sink);

}  // namespace nimbo::win::host
