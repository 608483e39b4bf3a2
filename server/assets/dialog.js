// The selection dialog on the page. The server's dialog model decides everything (the lists,
// what is shown and enabled); the page keeps the clicks made since the dialog opened, sends
// them all with each new click and draws the state it gets back. Opened on a drop (a click in
// the scene), the dialog stands on what the click hit, as a drop opens it: the hole's size, the
// assembly box on a fastener's hole; the choice made before comes along and OK builds the item
// there. Opened on a placed part (the double-click), the dialog shows the part's own choices
// and OK rebuilds the part.
import { busyWhile, post } from './api.js';

const $ = (id) => document.getElementById(id);
const KIND_NAMES = ['bolt', 'screw', 'setscrew', 'washer', 'nut'];

export class SelectionDialog {
  // onChoice(choice) after every change; onOk(choice) for OK on a new item on nothing;
  // onDropOk(place, carried, clicks) for OK on a drop and onEditOk(part, clicks) for OK on a
  // placed part, each answering whether the scene changed; onError(message).
  constructor({ onChoice, onOk, onDropOk, onEditOk, onError }) {
    this.clicks = [];
    this.state = null;
    this.editing = null;  // the placed part the dialog is open on, {id, name}
    this.drop = null;  // the drop the dialog is open on, {place, carried, point}
    this.newItemClicks = [];  // the new item's clicks, kept while a part or a drop is open
    this.lastClickAt = null;  // when the last click was made (performance.now())
    this.onChoice = onChoice;
    this.onError = onError;
    // A list click names its entry too: carried onto a drop, it picks the same entry there.
    const listClick = (list) => (e) =>
      this.click({ list, index: e.target.selectedIndex, entry: e.target.value });
    $('standard').addEventListener('change', listClick('Normativa'));
    $('size').addEventListener('change', listClick('Misura'));
    $('length').addEventListener('change', listClick('Lunghezza'));
    $('material').addEventListener('change', listClick('Materiale'));
    $('tolerance').addEventListener('change', listClick('HToll'));
    $('manual-length').addEventListener('change', (e) => this.click({ manualLength: e.target.value }));
    for (const [id, box] of [['auto-size', 'ToggleMisuraAuto'], ['washer', 'ToggleRondella'],
      ['nut', 'ToggleDado'], ['assembly', 'ToggleCreateAssembly']]) {
      $(id).addEventListener('change', () => this.click({ box }));
    }
    // OK waits for what it started: a second press meanwhile would repeat the change. The page
    // counts as busy until the dialog has gone back to a new item.
    $('ok').addEventListener('click', async () => {
      if (!this.state || $('ok').disabled) return;
      $('ok').disabled = true;
      try {
        await busyWhile(async () => {
          if (this.editing) {
            if (await onEditOk(this.editing, this.clicks)) await this.closeEdit();
          } else if (this.drop) {
            // Built: the dialog remembers that choice, and the next new item starts from it.
            if (await onDropOk(this.drop.place, this.drop.carried, this.clicks)) {
              this.newItemClicks = [];
              await this.closeDrop();
            }
          } else {
            await onOk(this.state.choice);
          }
        });
      } finally {
        $('ok').disabled = false;
      }
    });
    $('cancel').addEventListener('click', () => {
      if (this.editing) return this.closeEdit();
      if (this.drop) return this.closeDrop();
      this.clicks = [];
      this.refresh();
    });
  }

  // Opens the dialog on a drop at `place` ({at, dir}) meeting `point`, as a drop does, with the
  // choice made before (or on the drop the dialog was open on) carried along. Not while a part
  // is edited: its choice is not the new item's.
  async openDrop(place, point) {
    if (this.editing) {
      this.onError(`The dialog is editing ${this.editing.name}: press OK or Cancel before placing a new item.`);
      return;
    }
    const carried = this.drop ? [...this.drop.carried, ...this.clicks] : this.clicks;
    if (!this.drop) this.newItemClicks = this.clicks;
    const before = { drop: this.drop, clicks: this.clicks };
    this.drop = { place, carried, point };
    this.clicks = [];
    if (!(await this.refresh())) {
      this.drop = before.drop;
      this.clicks = before.clicks;
      this.refresh();
    }
  }

  // Back to choosing a new item, as it was before the drop.
  closeDrop() {
    this.drop = null;
    this.clicks = this.newItemClicks;
    return this.refresh();
  }

  // Opens the dialog on placed part `part` ({id, name}), as its double-click does.
  async openEdit(part) {
    if (this.drop) this.drop = null;
    else if (!this.editing) this.newItemClicks = this.clicks;
    this.editing = part;
    this.clicks = [];
    if (!(await this.refresh())) this.closeEdit();
  }

  // Back to choosing a new item, as it was before the edit.
  closeEdit() {
    this.editing = null;
    this.clicks = this.newItemClicks;
    return this.refresh();
  }

  get choice() { return this.state && this.state.choice; }

  // One more click; a click the dialog refuses is taken back and its message shown.
  async click(click) {
    this.lastClickAt = performance.now();
    this.clicks.push(click);
    if (!(await this.refresh())) this.clicks.pop();
  }

  async refresh() {
    try {
      const body = { clicks: this.clicks };
      if (this.editing) body.edit = this.editing.id;
      if (this.drop) Object.assign(body, { drop: this.drop.place, carried: this.drop.carried });
      this.state = await post('/api/dialog', body);
    } catch (e) {
      this.onError(e.message);
      if (this.state) this.draw(this.state);  // put the controls back as they were
      return false;
    }
    this.draw(this.state);
    for (const m of this.state.messages) this.onError(m);
    this.onChoice(this.state.choice);
    return true;
  }

  draw(s) {
    $('dialog-title').textContent = s.title;
    $('dialog').classList.toggle('edit', !!this.editing || !!this.drop);
    $('editing').hidden = !this.editing && !this.drop;
    if (this.editing) $('editing').textContent = `Editing ${this.editing.name}`;
    if (this.drop) $('editing').textContent = this.drop.place.dir ? 'New item where you clicked' : 'New item on the floor where you clicked';
    $('dialog-hint').textContent = this.editing
      ? 'OK rebuilds the part in its place; its copies and a hole made for it follow. Cancel leaves it as it is.'
      : this.drop ? 'OK builds the item where you clicked; another click moves it. Cancel leaves the scene as it is.'
        : 'Click a face, a hole or an edge in the scene to place the item there, or press OK to place it at the origin.';
    tabs($('families'), s.families, (i) => this.click({ familyTab: i }));
    tabs($('kinds'), s.kinds, (i) => this.click({ kindTab: i }));
    this.gallery(s);
    list($('standard'), $('standard-label'), s.Normativa);
    $('standard-description').textContent = s.NormaDescr;
    list($('size'), $('size-label'), s.Misura);
    box($('auto-size'), s.ToggleMisuraAuto);
    $('hole-info').hidden = !s.ToggleMisuraAuto.visible;
    // Why the size is what it is, else the diameter found under the drop.
    $('hole-info').textContent = s.autoSizeReason ? `Automatic size: ${s.autoSizeReason}`
      : `Diameter under the drop: Ø${s.lblInfo.replace(/^\D*/, '')}`;
    list($('length'), $('length-label'), s.Lunghezza);
    const manual = $('manual-length');
    manual.hidden = !s.LunghezzaManuale.visible;
    manual.value = s.LunghezzaManuale.text;
    $('length-field').hidden = !s.Lunghezza.visible && !s.LunghezzaManuale.visible;
    if (s.LunghezzaManuale.visible) $('length-label').hidden = false;
    list($('material'), $('material-label'), s.Materiale);
    $('hole-frame').hidden = !s.Frame2.visible;
    const holes = $('holes');
    holes.replaceChildren(...s.OptHole.map((o, i) =>
      button(o.tip, o.value, !o.enabled || !o.visible, () => this.click({ hole: i }))));
    list($('tolerance'), null, s.HToll);
    $('tolerance').title = s.HToll.tip;
    box($('washer'), s.ToggleRondella);
    box($('nut'), s.ToggleDado);
    box($('assembly'), s.ToggleCreateAssembly);
    $('boxes').hidden = ![s.ToggleRondella, s.ToggleDado, s.ToggleCreateAssembly].some((b) => b.visible);
    $('ok').textContent = s.OKButton;
    $('cancel').textContent = s.CancelButton;
  }

  gallery(s) {
    const kind = KIND_NAMES[s.kinds.selected];
    const buttons = s.types.map((o, i) => {
      if (!o.visible) return null;
      const b = button('', o.value, !o.enabled, () => this.click({ type: i + 1 }));
      b.title = `Type ${i + 1}`;
      const img = document.createElement('img');
      img.src = `types/${kind}-${i + 1}.png`;
      img.alt = '';
      img.onerror = () => img.remove();
      const number = document.createElement('span');
      number.className = 'number';
      number.textContent = i + 1;
      b.replaceChildren(img, number);
      return b;
    }).filter(Boolean);
    $('gallery').replaceChildren(...buttons);
  }
}

function button(text, on, disabled, onClick) {
  const b = document.createElement('button');
  b.type = 'button';
  b.textContent = text;
  b.classList.toggle('on', on);
  b.disabled = disabled;
  b.addEventListener('click', onClick);
  return b;
}

function tabs(element, strip, onClick) {
  element.hidden = !strip.visible || strip.captions.length < 2;
  element.replaceChildren(...strip.captions.map((caption, i) =>
    button(caption, i === strip.selected, !strip.enabled[i] || !strip.visible,
           () => i !== strip.selected && onClick(i))));
}

function list(select, label, l) {
  select.replaceChildren(...l.entries.map((text) => new Option(text)));
  select.selectedIndex = l.selected;
  select.disabled = !l.enabled;
  select.hidden = !l.visible;
  if (label) {
    label.textContent = l.label;
    label.hidden = !l.visible;
  }
}

function box(input, b) {
  input.checked = b.value;
  input.disabled = !b.enabled;
  input.parentElement.hidden = !b.visible;
  if (b.caption) input.nextElementSibling.textContent = b.caption;
}
