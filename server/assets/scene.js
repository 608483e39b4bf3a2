// The scene view: the served scene in 3D with its part list. In Place mode a click on a face,
// a hole or a circular edge opens the dialog on a drop there along the click's ray, and a click
// on the ground grid (a floor under everything) on a drop on nothing at that point; in Select
// mode a click selects the part under it, which Edit opens in the dialog (as a double-click
// does), Delete removes and, for a bolt or screw, the length field gives another length.
import { busyWhile, getJson, getModel, post, ApiError } from './api.js';
import { Viewer } from './viewer.js';

const $ = (id) => document.getElementById(id);

export class SceneView {
  // onPlace(place, point) opens the dialog on a drop at place {at, dir} that meets `point`
  // (a THREE.Vector3); onEdit(part) opens it on a
  // placed part; onShown(has) after each new state of the scene, has(id) telling whether part
  // id is in it; onError(message), onInfo(message).
  constructor({ onPlace, onEdit, onShown, onError, onInfo }) {
    this.onPlace = onPlace;
    this.onEdit = onEdit;
    this.onShown = onShown;
    this.onError = onError;
    this.onInfo = onInfo;
    this.version = 0;
    this.changes = Promise.resolve(true);  // the last change sent
    this.parts = [];
    this.selected = null;
    this.mode = 'place';
    this.viewer = new Viewer($('scene'), { ground: true });
    this.framed = false;
    const canvas = $('scene');
    let down = null;
    canvas.addEventListener('pointerdown', (e) => { down = [e.clientX, e.clientY]; });
    canvas.addEventListener('pointerup', (e) => {
      // A drag turns the view; only a click (the pointer kept still) places or selects.
      if (down && Math.hypot(e.clientX - down[0], e.clientY - down[1]) < 4) this.clicked(e);
      down = null;
    });
    $('mode-place').addEventListener('click', () => this.setMode('place'));
    $('mode-select').addEventListener('click', () => this.setMode('select'));
    $('delete').addEventListener('click', () => this.deleteSelected());
    $('edit').addEventListener('click', () => this.editSelected());
    // A double-click selects with its first click: the part is edited once that pick is answered.
    canvas.addEventListener('dblclick', async () => {
      if (this.mode !== 'select') return;
      await Promise.resolve(this.picking).catch(() => null);
      this.editSelected();
    });
    $('part-length').addEventListener('change', (e) => this.typeLength(e.target.value));
    $('fit').addEventListener('click', () => { this.viewer.frame(); this.viewer.render(); });
    document.addEventListener('keydown', (e) => {
      if (e.key === 'Delete' && this.selected && e.target === document.body) this.deleteSelected();
    });
    this.setMode('place');
  }

  setMode(mode) {
    this.mode = mode;
    $('mode-place').classList.toggle('on', mode === 'place');
    $('mode-select').classList.toggle('on', mode === 'select');
    $('scene').classList.toggle('select', mode === 'select');
    $('scene-hint').textContent = mode === 'place'
      ? 'Click a face, a hole or an edge to open the dialog there; click the floor to set an item down.'
      : 'Click a part to select it; double-click it to edit it in the dialog.';
  }

  async load() {
    const scene = await getJson('/api/scene');
    $('scene-file').textContent = scene.file || 'scene in memory';
    await this.show(scene);
  }

  // Shows the parts and, when they changed, the model.
  async show(scene) {
    this.version = scene.version;
    this.parts = scene.parts;
    $('version').textContent = `version ${scene.version}`;
    $('downloads').classList.toggle('off', !this.parts.length);  // nothing to download yet
    if (this.selected && !findPart(this.parts, this.selected)) this.selected = null;
    this.onShown((id) => !!findPart(this.parts, id));
    this.drawList();
    const fasteners = new Set();
    walk(this.parts, (p) => { if (p.partNumber) fasteners.add(p.name); });
    // The first parts are framed; a part placed out of view brings the whole scene into it.
    const frame = !this.framed || (scene.added && scene.added.length ? 'unseen' : false);
    await this.viewer.show(await getModel('/api/scene.glb'), { fasteners, frame });
    this.framed = this.framed || this.parts.length > 0;
    this.highlight();
  }

  async clicked(e) {
    const ray = this.viewer.rayAt(e.clientX, e.clientY);
    try {
      if (this.mode === 'select') {
        this.picking = ray.hit ? post('/api/pick', { at: xyz(ray.origin), dir: xyz(ray.direction) }) : null;
        const picked = this.picking ? await this.picking : { part: null };
        this.select(picked.part);
      } else if (ray.hit) {
        await this.onPlace({ at: xyz(ray.origin), dir: xyz(ray.direction) }, ray.hit);
      } else {
        const ground = this.viewer.onGround(ray);
        if (ground) await this.onPlace({ at: xyz(ground) }, ground);
      }
    } catch (err) {
      this.onError(err.message);
    }
  }

  // Drops: `body` holds the place ({at, dir}) and the dialog's choice, or its carried clicks
  // and clicks; answers whether it was built. A stale version brings the scene up to date.
  async drop(body) {
    return this.change('/api/drop', body, (result) => {
      const names = result.added.map((id) => findPart(result.parts, id)).filter(Boolean).map((p) => p.name);
      this.selected = result.added[0] || null;
      this.onInfo(`Placed ${names.join(', ')}`);
    });
  }

  editSelected() {
    const part = this.selected && findPart(this.parts, this.selected);
    if (part && part.editable) this.onEdit(part);
  }

  // Rebuilds part `id` with the dialog's `clicks`; answers whether it was rebuilt.
  async edit(id, clicks) {
    const before = findPart(this.parts, id);
    return this.change('/api/edit', { id, clicks }, (result) => {
      const after = findPart(result.parts, id);
      this.onInfo(`Rebuilt ${before ? before.name : 'the part'}${after ? ` as ${after.name}` : ''}`);
    });
  }

  // The selected bolt or screw takes a typed shank length (a number, or a formula such as 2*20+5).
  async typeLength(text) {
    const part = this.selected && findPart(this.parts, this.selected);
    if (!part || part.length === undefined) return;
    const value = text.trim();
    if (!value) return this.showLength();
    const body = Number.isFinite(Number(value)) ? { length: Number(value) } : { expression: value };
    const done = await this.change('/api/length', { id: part.id, ...body }, (result) => {
      const after = findPart(result.parts, part.id);
      this.onInfo(after ? `${after.name}: length ${after.length} mm` : 'Length changed');
    });
    if (!done) this.showLength();
  }

  async deleteSelected() {
    if (!this.selected) return;
    const part = findPart(this.parts, this.selected);
    await this.change('/api/delete', { id: this.selected }, () => {
      this.onInfo(`Deleted ${part ? part.name : 'the part'}`);
      this.selected = null;
    });
  }

  // Sends a change of the scene on the version shown, after the changes sent before it have
  // been answered (so quick clicks do not find each other's versions stale); answers whether
  // it was made.
  change(url, body, done) {
    const next = this.changes.then(() => this.send(url, body, done));
    this.changes = next;
    return busyWhile(() => next);  // busy until the answer is drawn
  }

  async send(url, body, done) {
    try {
      const result = await post(url, { version: this.version, ...body });
      done(result);
      await this.show(result);
      return true;
    } catch (err) {
      this.onError(err.message);
      if (err instanceof ApiError && err.status === 409) await this.load();
      return false;
    }
  }

  select(id) {
    this.selected = id;
    this.drawList();
    this.highlight();
  }

  // The selected bolt's or screw's length, and its standard's lengths to choose from (what the
  // dialog lists when the part is double-clicked).
  async offerLengths() {
    const part = this.selected && findPart(this.parts, this.selected);
    $('part-lengths').replaceChildren();
    if (!part || part.length === undefined) return;
    try {
      const state = await post('/api/dialog', { clicks: [], edit: part.id });
      if (this.selected === part.id) {
        $('part-lengths').replaceChildren(...state.Lunghezza.entries.map((l) => new Option(l)));
      }
    } catch (err) { /* the field still takes any length */ }
  }

  showLength() {
    const part = this.selected && findPart(this.parts, this.selected);
    const field = $('part-length');
    field.disabled = !part || part.length === undefined;
    field.value = field.disabled ? '' : String(part.length);
    $('length-box').classList.toggle('off', field.disabled);
  }

  highlight() {
    const names = new Set();
    const part = this.selected && findPart(this.parts, this.selected);
    if (part) walk([part], (p) => names.add(p.name));
    this.viewer.highlight(names);
    $('delete').disabled = !part;
    $('edit').disabled = !part || !part.editable;
    this.showLength();
    this.offerLengths();
  }

  drawList() {
    const row = (p) => {
      const li = document.createElement('li');
      const div = document.createElement('div');
      div.classList.toggle('on', p.id === this.selected);
      div.addEventListener('click', () => this.select(p.id === this.selected ? null : p.id));
      div.addEventListener('dblclick', () => { this.select(p.id); this.editSelected(); });
      div.append(describe(p));
      li.append(div);
      if (p.children.length) {
        const ul = document.createElement('ul');
        ul.append(...p.children.map(row));
        li.append(ul);
      }
      return li;
    };
    $('parts').replaceChildren(...this.parts.map(row));
    if (!this.parts.length) {
      const li = document.createElement('li');
      li.className = 'muted';
      li.textContent = 'No parts yet.';
      $('parts').append(li);
    }
  }
}

// A part as the lists show it: name, part number, bill of materials, solid figures; `brief`
// leaves out the bill of materials.
export function describe(p, brief = false) {
  const box = document.createDocumentFragment();
  const name = document.createElement('div');
  name.className = 'name';
  name.textContent = p.name;
  box.append(name);
  const bom = document.createElement('div');
  bom.className = 'bom';
  const number = p.partNumber ? [{ name: 'Part number', value: p.partNumber }] : [];
  const entries = brief ? number : [...number, ...p.bom];
  for (const e of entries) {
    const key = document.createElement('span');
    key.textContent = e.name;
    const value = document.createElement('b');
    value.textContent = e.value;
    bom.append(key, value);
  }
  box.append(bom);
  if (p.solid) {
    const f = document.createElement('div');
    f.className = 'figures';
    f.textContent = p.solid.error ? p.solid.error
      : `${p.solid.valid ? 'valid solid' : 'NOT VALID'}, ${p.solid.volume.toFixed(1)} mm³, ${p.solid.faces} faces`;
    box.append(f);
  }
  return box;
}

function xyz(v) { return [v.x, v.y, v.z]; }

function walk(parts, visit) {
  for (const p of parts) { visit(p); walk(p.children, visit); }
}

function findPart(parts, id) {
  let found = null;
  walk(parts, (p) => { if (p.id === id) found = p; });
  return found;
}
