#include "platform/MpvLibrary.h"

#include <QLibrary>

namespace tolvane {

namespace {

template <typename Function>
bool Take(QLibrary& library, const char* name, Function& function, QString* missing)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    if (!function && missing->isEmpty())
        *missing = library.errorString();
    return function != nullptr;
}

} // namespace

bool MpvLibrary::Open(QString* why)
{
    // Loaded for the rest of the run: QLibrary leaves it mapped when it goes.
    QLibrary library("mpv", 2);
    if (!library.load()) {
        *why = QString("libmpv could not be loaded: %1").arg(library.errorString());
        return false;
    }
    QString missing;
    bool ok = Take(library, "mpv_create", create, &missing);
    ok &= Take(library, "mpv_initialize", initialize, &missing);
    ok &= Take(library, "mpv_terminate_destroy", terminate_destroy, &missing);
    ok &= Take(library, "mpv_set_option_string", set_option_string, &missing);
    ok &= Take(library, "mpv_set_wakeup_callback", set_wakeup_callback, &missing);
    ok &= Take(library, "mpv_wait_event", wait_event, &missing);
    ok &= Take(library, "mpv_error_string", error_string, &missing);
    ok &= Take(library, "mpv_command", command, &missing);
    ok &= Take(library, "mpv_command_ret", command_ret, &missing);
    ok &= Take(library, "mpv_free_node_contents", free_node_contents, &missing);
    ok &= Take(library, "mpv_free", free, &missing);
    ok &= Take(library, "mpv_set_property", set_property, &missing);
    ok &= Take(library, "mpv_set_property_string", set_property_string, &missing);
    ok &= Take(library, "mpv_get_property", get_property, &missing);
    ok &= Take(library, "mpv_get_property_string", get_property_string, &missing);
    ok &= Take(library, "mpv_observe_property", observe_property, &missing);
    ok &= Take(library, "mpv_stream_cb_add_ro", stream_cb_add_ro, &missing);
    ok &= Take(library, "mpv_render_context_create", render_context_create, &missing);
    ok &= Take(library, "mpv_render_context_set_update_callback",
               render_context_set_update_callback, &missing);
    ok &= Take(library, "mpv_render_context_update", render_context_update, &missing);
    ok &= Take(library, "mpv_render_context_render", render_context_render, &missing);
    ok &= Take(library, "mpv_render_context_free", render_context_free, &missing);
    if (!ok)
        *why = QString("libmpv is not the one this program was built for: %1").arg(missing);
    return ok;
}

} // namespace tolvane
