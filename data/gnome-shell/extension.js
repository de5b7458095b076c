/* Solitask's window report. Solitask asks over the session bus which windows
 * are open, where and in what order, so that its frames can leave out the
 * windows of private apps; nothing is kept or sent anywhere else. */
'use strict';

const { Gio, Shell } = imports.gi;
const ExtensionUtils = imports.misc.extensionUtils;

const objectPath = '/org/solitask/Solitask/ShellWindows';
const interfaceXml = `
<node>
  <interface name="org.solitask.Solitask.ShellWindows">
    <method name="Windows">
      <arg type="s" direction="out" name="report"/>
    </method>
    <property name="Version" type="s" access="read"/>
    <signal name="FocusChanged"/>
  </interface>
</node>`;

function rectOf(r) {
    return { x: r.x, y: r.y, width: r.width, height: r.height };
}

function appIdOf(window) {
    const app = Shell.WindowTracker.get_default().get_window_app(window);
    const desktopId = app && !app.is_window_backed() ? app.get_id() : '';
    return window.get_sandboxed_app_id() || window.get_gtk_application_id() || desktopId || '';
}

function describe(window, focus, workspace) {
    const actor = window.get_compositor_private();
    return {
        title: window.get_title() || '',
        wmClass: window.get_wm_class() || '',
        appId: appIdOf(window),
        pid: window.get_pid(),
        frame: rectOf(window.get_frame_rect()),
        buffer: rectOf(window.get_buffer_rect()),
        focused: window === focus,
        // Minimised, or on another workspace: nothing of it is on screen.
        shown: window.showing_on_its_workspace() &&
            (window.is_on_all_workspaces() || window.get_workspace() === workspace),
        opacity: actor ? actor.opacity : 255,
        xwayland: window.get_client_type() === 1,
    };
}

class ShellWindows {
    get Version() {
        return ExtensionUtils.getCurrentExtension().metadata['version-name'] || '';
    }

    // Bottom to top, as the shell stacks them, with the primary monitor the
    // screen cast records.
    Windows() {
        const display = global.display;
        const focus = display.get_focus_window();
        const workspace = global.workspace_manager.get_active_workspace();
        const all = global.get_window_actors().map(actor => actor.get_meta_window());
        const windows = display.sort_windows_by_stacking(all)
            .map(window => describe(window, focus, workspace));
        const primary = display.get_primary_monitor();
        return JSON.stringify({
            version: this.Version,
            monitor: rectOf(display.get_monitor_geometry(primary)),
            scale: display.get_monitor_scale(primary),
            windows,
        });
    }
}

let exported = null;
let focusSignal = 0;

function init() {
}

function enable() {
    exported = Gio.DBusExportedObject.wrapJSObject(interfaceXml, new ShellWindows());
    exported.export(Gio.DBus.session, objectPath);
    focusSignal = global.display.connect('notify::focus-window',
        () => exported.emit_signal('FocusChanged', null));
}

function disable() {
    global.display.disconnect(focusSignal);
    focusSignal = 0;
    exported.unexport();
    exported = null;
}
