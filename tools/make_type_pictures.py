#!/usr/bin/python3
"""Makes the pictures of the selection dialog's type buttons from our own solids.

Starts `vormbrace serve` on a free port with a scratch scene, and for every type of every
kind asks the server's dialog for that type's choice (the first family that has a standard
for it, the size nearest M10), builds it through the preview, renders it with the page's own
viewer in headless Chromium and writes server/assets/types/KIND-TYPE.png. Run it again when
the geometry changes:

    /usr/bin/python3 tools/make_type_pictures.py [build/ci/app/vormbrace]
"""
import base64
import os
import pathlib
import subprocess
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT = ROOT / "server" / "assets" / "types"
SIZE = 128  # pixels of a picture's side

# Runs in the page: every kind and type through the dialog, the preview and the viewer.
RENDER = """
const done = arguments[arguments.length - 1];
const size = arguments[0];
(async () => {
  const { Viewer } = await import('/viewer.js');
  const post = async (url, body) => {
    const r = await fetch(url, { method: 'POST', headers: { 'Content-Type': 'application/json' },
                                 body: JSON.stringify(body) });
    const j = await r.json();
    if (!r.ok) throw new Error(j.error);
    return j;
  };
  const canvas = document.createElement('canvas');
  canvas.style.cssText = `position:fixed;left:0;top:0;width:${size}px;height:${size}px`;
  document.body.append(canvas);
  const viewer = new Viewer(canvas, { transparent: true, still: true });
  viewer.renderer.setPixelRatio(1);
  viewer.resize();
  const kinds = ['bolt', 'screw', 'setscrew', 'washer', 'nut'];
  const first = await post('/api/dialog', { clicks: [] });
  const pictures = {};
  for (let k = 0; k < kinds.length; k++) {
    const types = (await post('/api/dialog', { clicks: [{ kindTab: k }] })).types.length;
    for (let t = 1; t <= types; t++) {
      for (let f = 0; f < first.families.captions.length; f++) {
        const clicks = [{ familyTab: f }, { kindTab: k }, { type: t }];
        let state = await post('/api/dialog', { clicks });
        if (!state.choice.standard) continue;
        const sizes = state.Misura.entries;
        const m10 = sizes.indexOf('M10');
        clicks.push({ list: 'Misura', index: m10 >= 0 ? m10 : Math.floor(sizes.length / 2) });
        state = await post('/api/dialog', { clicks });
        try {
          const item = await post('/api/preview', { choice: { ...state.choice, washer: false, nut: false } });
          const bytes = await (await fetch(item.glb)).arrayBuffer();
          await viewer.show(bytes);
          pictures[`${kinds[k]}-${t}`] = canvas.toDataURL('image/png');
          break;
        } catch (e) { /* the next family may build it */ }
      }
    }
  }
  return pictures;
})().then(done, (e) => done({ error: String(e) }));
"""


def main():
    exe = sys.argv[1] if len(sys.argv) > 1 else str(ROOT / "build" / "ci" / "app" / "vormbrace")
    with tempfile.TemporaryDirectory() as scratch:
        env = dict(os.environ, VORMBRACE_USER_DIR=scratch, XDG_CACHE_HOME=scratch)
        server = subprocess.Popen([exe, "serve", "--port", "0", "--no-save"], env=env, cwd=scratch,
                                  stdout=subprocess.PIPE, text=True)
        try:
            url = server.stdout.readline().split(" at ")[1].split()[0]
            options = webdriver.ChromeOptions()
            for a in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--use-gl=angle",
                      "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
                      "--window-size=800,600"):
                options.add_argument(a)
            driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
            try:
                driver.set_script_timeout(600)
                driver.get(url)
                pictures = driver.execute_async_script(RENDER, SIZE)
            finally:
                driver.quit()
        finally:
            server.terminate()
            server.wait()
    if "error" in pictures:
        sys.exit("make_type_pictures: " + pictures["error"])
    OUT.mkdir(parents=True, exist_ok=True)
    for old in OUT.glob("*.png"):
        old.unlink()
    for name, data in sorted(pictures.items()):
        (OUT / f"{name}.png").write_bytes(base64.b64decode(data.split(",", 1)[1]))
    print(f"wrote {len(pictures)} pictures to {OUT.relative_to(ROOT)}")


if __name__ == "__main__":
    main()
