// The catalogue page: the selection dialog, the preview of its choice, the scene view.
import { getModel, post } from './api.js';
import { SelectionDialog } from './dialog.js';
import { SceneView, describe } from './scene.js';
import { Viewer } from './viewer.js';

const $ = (id) => document.getElementById(id);

let messageTimer = null;
function message(text, kind) {
  const m = $('message');
  m.textContent = text;
  m.className = `message ${kind}`;
  m.hidden = false;
  clearTimeout(messageTimer);
  messageTimer = setTimeout(() => { m.hidden = true; }, kind === 'info' ? 2500 : 7000);
}
const showError = (text) => message(text, 'error');
const showInfo = (text) => message(text, 'info');

// The preview follows every change of choice; only the latest request is shown.
const preview = new Viewer($('preview'), { background: 0xf4f6f8 });
let previewRequest = 0;
// What tests and the curious read: the time from the last click to its preview drawn, the
// choice previewed, the scene view.
window.vormbrace = { previewMs: null, previewedChoice: null, sceneView: null };
async function showPreview(choice) {
  const request = ++previewRequest;
  const started = dialog.lastClickAt ?? performance.now();
  if (!choice.standard) {
    await preview.show(null);
    $('item').textContent = `${choice.family} has no standard of this type: choose another family or type.`;
    return;
  }
  try {
    const item = await post('/api/preview', { choice });
    const bytes = await getModel(item.glb);
    if (request !== previewRequest) return;
    await preview.show(bytes);
    // One part with its bill of materials; a bolt with washer and nut more briefly.
    $('item').replaceChildren(...item.parts.map((p) => {
      const div = document.createElement('div');
      div.append(describe(p, item.parts.length > 1));
      return div;
    }));
    window.vormbrace.previewMs = performance.now() - started;
    window.vormbrace.previewedChoice = choice;
  } catch (e) {
    if (request !== previewRequest) return;
    await preview.show(null);
    $('item').textContent = e.message;
  }
}

const scene = new SceneView({
  onPlace: (place, point) => dialog.openDrop(place, point),
  onEdit: (part) => dialog.openEdit({ id: part.id, name: part.name }),
  // A part being edited that another page deleted: the dialog goes back to the new item.
  onShown: (has) => { if (dialog.editing && !has(dialog.editing.id)) dialog.closeEdit(); },
  onError: showError,
  onInfo: showInfo,
});
const dialog = new SelectionDialog({
  // The scene view marks the point a drop's dialog stands on.
  onChoice: (choice) => {
    scene.viewer.mark(dialog.drop && dialog.drop.point);
    showPreview(choice);
  },
  onOk: (choice) => scene.drop({ choice, at: [0, 0, 0] }),
  onDropOk: (place, carried, clicks) => scene.drop({ ...place, carried, clicks }),
  onEditOk: (part, clicks) => scene.edit(part.id, clicks),
  onError: showError,
});

window.vormbrace.sceneView = scene;
dialog.refresh();
scene.load().catch((e) => showError(e.message));
