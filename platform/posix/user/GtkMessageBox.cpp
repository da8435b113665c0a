#include "platform/posix/user/GtkMessageBox.h"

#include <gtk/gtk.h>

#include "platform/Win32.h"

namespace zvx::platform::user {

namespace {

// Tries once, on first use.
bool EnsureGtk()
{
    static int state = 0;
    if (state == 0) {
        // GTK would set the whole process's C locale from the environment, which changes how
        // the rest of the program reads and writes numbers; a Windows message box does not.
        gtk_disable_setlocale();
        state = gtk_init_check(nullptr, nullptr) ? 1 : -1;
    }
    return state > 0;
}

}  // namespace

int ShowGtkMessageBox(const std::string& caption, const std::string& text)
{
    if (!EnsureGtk()) return 0;
    // No icon, one button: what MB_OK shows.
    GtkWidget* dialog =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER, GTK_BUTTONS_OK, "%s", text.c_str());
    GtkWindow* window = GTK_WINDOW(dialog);
    gtk_window_set_title(window, caption.c_str());
    gtk_window_set_position(window, GTK_WIN_POS_CENTER);
    // GTK keeps message dialogs out of the task bar; a box that may be all a program shows
    // belongs there, as on Windows.
    gtk_window_set_skip_taskbar_hint(window, FALSE);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);

    gtk_widget_realize(dialog);
    GdkWindow* gdkWindow = gtk_widget_get_window(dialog);
    // A caption and a close box, as on Windows; nothing to size, minimise or maximise.
    gdk_window_set_functions(gdkWindow, static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_CLOSE));
    gdk_window_set_decorations(gdkWindow,
                               static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU));

    const gint response = gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    // Nothing runs GTK's loop after this: let it take the dialog off the screen now.
    while (gtk_events_pending()) gtk_main_iteration();
    return response == GTK_RESPONSE_OK ? IDOK : IDCANCEL;
}

}  // namespace zvx::platform::user
