#include "platform/MpvLibrary.h"

#include "platform/LibraryEntries.h"

namespace tolvane {

bool MpvLibrary::Open(QString* why)
{
    LibraryEntries library("mpv", 2);
    if (!library.Loaded()) {
        *why = QString("libmpv could not be loaded: %1").arg(library.Error());
        return false;
    }
    library.Take("mpv_create", create);
    library.Take("mpv_initialize", initialize);
    library.Take("mpv_terminate_destroy", terminate_destroy);
    library.Take("mpv_set_option_string", set_option_string);
    library.Take("mpv_set_wakeup_callback", set_wakeup_callback);
    library.Take("mpv_wait_event", wait_event);
    library.Take("mpv_error_string", error_string);
    library.Take("mpv_command", command);
    library.Take("mpv_command_ret", command_ret);
    library.Take("mpv_free_node_contents", free_node_contents);
    library.Take("mpv_free", free);
    library.Take("mpv_set_property", set_property);
    library.Take("mpv_set_property_string", set_property_string);
    library.Take("mpv_get_property", get_property);
    library.Take("mpv_get_property_string", get_property_string);
    library.Take("mpv_observe_property", observe_property);
    library.Take("mpv_stream_cb_add_ro", stream_cb_add_ro);
    library.Take("mpv_render_context_create", render_context_create);
    library.Take("mpv_render_context_set_update_callback", render_context_set_update_callback);
    library.Take("mpv_render_context_update", render_context_update);
    library.Take("mpv_render_context_render", render_context_render);
    library.Take("mpv_render_context_free", render_context_free);
    if (!library.Complete())
        *why = QString("libmpv is not the one this program was built for: %1").arg(library.Error());
    return library.Complete();
}

} // namespace tolvane
