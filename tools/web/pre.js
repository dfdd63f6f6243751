// Runs inside the loader before the game starts: the browser's choices of renderer and storage.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  // SDL's software renderer paints a 2D canvas; its accelerated one goes through WebGL, whose
  // frames arrive late on busy machines.
  ENV.SDL_RENDER_DRIVER = 'software';

  // The settings live in the browser's IndexedDB, mounted where the game keeps its config home and
  // read back before the game starts.
  // ENV holds only what the page adds to the program's defaults, so the home is named here, as
  // the program's default has it.
  ENV.HOME = '/home/web_user';
  var home = ENV.HOME + '/.config';
  FS.mkdirTree(home);
  FS.mount(IDBFS, {}, home);
  addRunDependency('settings');
  FS.syncfs(true, function (error) {
    if (error) console.warn('SKULLGNAWER: the saved settings could not be read:', error);
    removeRunDependency('settings');
  });

  // The game writes a temporary file and publishes it by renaming it over the old one; only that
  // rename makes a change worth keeping, so it is what sends the folder to IndexedDB. A save asked
  // for while another is running follows it.
  var saving = false;
  var again = false;
  Module.settingsSaves = 0;
  function save() {
    if (saving) {
      again = true;
      return;
    }
    saving = true;
    FS.syncfs(false, function (error) {
      saving = false;
      if (error) console.warn('SKULLGNAWER: the settings could not be kept:', error);
      else Module.settingsSaves++;
      if (again) {
        again = false;
        save();
      }
    });
  }
  // What the settings file holds now, for the page's tests: its bytes, or null when there is none.
  Module.savedSettings = function () {
    try {
      return Array.from(FS.readFile(home + '/skullgnawer/wtf.cfg'));
    } catch (missing) {
      return null;
    }
  };
  var rename = FS.rename;
  FS.rename = function (from, to) {
    rename(from, to);
    if (to.indexOf(home + '/') === 0) save();
  };
});
