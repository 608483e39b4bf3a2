// A 3D view of a binary glTF model from the server: the scene's millimetres with Z up, lit for
// metal parts, turned with the mouse. Used by the preview, the scene view and the picture tool.
import * as THREE from '/three/build/three.module.js';
import { GLTFLoader } from '/three/examples/jsm/loaders/GLTFLoader.js';
import { OrbitControls } from '/three/examples/jsm/controls/OrbitControls.js';

const STEEL = new THREE.MeshStandardMaterial({ color: 0xc3c9d0, metalness: 0.25, roughness: 0.45 });
const WORKPIECE = new THREE.MeshStandardMaterial({ color: 0x8fa7bf, metalness: 0.1, roughness: 0.7 });
const SELECTED = new THREE.MeshStandardMaterial({ color: 0xf0a030, metalness: 0.3, roughness: 0.5 });

export class Viewer {
  // options.ground: draw the XY plane's grid (the scene view); options.transparent: no
  // background (pictures).
  constructor(canvas, options = {}) {
    this.canvas = canvas;
    this.renderer = new THREE.WebGLRenderer({
      canvas, antialias: true, alpha: !!options.transparent, preserveDrawingBuffer: true,
    });
    this.renderer.setPixelRatio(window.devicePixelRatio || 1);
    this.renderer.outputEncoding = THREE.sRGBEncoding;
    this.scene = new THREE.Scene();
    if (!options.transparent) this.scene.background = new THREE.Color(options.background || 0xeef1f4);
    this.camera = new THREE.PerspectiveCamera(35, 1, 0.1, 100000);
    this.camera.up.set(0, 0, 1);
    this.scene.add(new THREE.HemisphereLight(0xffffff, 0x8a96a3, 0.9));
    const key = new THREE.DirectionalLight(0xffffff, 0.8);
    key.position.set(1, -2, 3);
    this.camera.add(key);  // the key light follows the eye, so every side reads
    const fill = new THREE.DirectionalLight(0xffffff, 0.35);
    fill.position.set(-3, 2, -1);
    this.scene.add(fill, this.camera);
    if (options.ground) {
      this.ground = new THREE.GridHelper(400, 40, 0xa8b2bd, 0xd3d9df);
      this.ground.rotation.x = Math.PI / 2;
      this.scene.add(this.ground);
    }
    this.model = null;
    this.direction = new THREE.Vector3(1, -1.6, 1.1).normalize();  // iso, a little from the front
    if (!options.still) {
      this.controls = new OrbitControls(this.camera, canvas);
      this.controls.addEventListener('change', () => this.render());
    }
    new ResizeObserver(() => this.resize()).observe(canvas);
    this.resize();
  }

  resize() {
    const w = this.canvas.clientWidth, h = this.canvas.clientHeight;
    if (w === 0 || h === 0) return;
    this.renderer.setSize(w, h, false);
    this.camera.aspect = w / h;
    this.camera.updateProjectionMatrix();
    this.render();
  }

  render() { this.renderer.render(this.scene, this.camera); }

  // Shows the model in `bytes` (ArrayBuffer), or nothing for null. `fasteners` names the parts
  // of the catalogue, drawn as steel, the others as workpieces (null: all are steel); `frame`
  // fits the camera to the model: true always, 'unseen' when part of it is out of view.
  async show(bytes, { fasteners = null, frame = true } = {}) {
    const steel = fasteners && nodeNames(fasteners);
    if (this.model) this.scene.remove(this.model);
    this.model = null;
    if (bytes) {
      const gltf = await new Promise((resolve, reject) =>
        new GLTFLoader().parse(bytes, '', resolve, reject));
      // glTF is metres with Y up; the scene is millimetres with Z up.
      const model = new THREE.Group();
      model.scale.setScalar(1000);
      model.rotation.x = Math.PI / 2;
      model.add(gltf.scene);
      model.traverse((o) => {
        if (!o.isMesh) return;
        o.userData.names = ownerNames(o);
        o.userData.material = !steel || named(o, steel) ? STEEL : WORKPIECE;
        o.material = o.userData.material;
      });
      this.model = model;
      this.scene.add(model);
      model.updateMatrixWorld(true);
    }
    if (this.ground) {
      // The grid is a floor under everything (never through a face, where it would flicker).
      const bottom = this.model ? new THREE.Box3().setFromObject(this.model).min.z : 0;
      this.ground.position.z = Math.min(0, bottom) - 0.5;
    }
    if (frame === true || (frame === 'unseen' && !this.inView())) this.frame();
    this.render();
  }

  // Whether the whole model is in the camera's view.
  inView() {
    if (!this.model) return true;
    const box = new THREE.Box3().setFromObject(this.model);
    for (let i = 0; i < 8; i++) {
      const p = new THREE.Vector3(i & 1 ? box.max.x : box.min.x, i & 2 ? box.max.y : box.min.y,
                                  i & 4 ? box.max.z : box.min.z).project(this.camera);
      if (Math.abs(p.x) > 1 || Math.abs(p.y) > 1 || p.z > 1) return false;
    }
    return true;
  }

  // Colours the meshes of the parts named in `names` as selected.
  highlight(names) {
    if (!this.model) return;
    names = nodeNames(names);
    this.model.traverse((o) => {
      if (o.isMesh) o.material = named(o, names) ? SELECTED : o.userData.material;
    });
    this.render();
  }

  frame() {
    const box = this.model ? new THREE.Box3().setFromObject(this.model)
                           : new THREE.Box3(new THREE.Vector3(-50, -50, -20), new THREE.Vector3(50, 50, 20));
    const centre = box.getCenter(new THREE.Vector3());
    const radius = Math.max(box.getSize(new THREE.Vector3()).length() / 2, 1);
    const distance = radius / Math.sin((this.camera.fov * Math.PI) / 360) * 1.08;
    this.camera.position.copy(centre).addScaledVector(this.direction, distance);
    this.camera.near = distance / 20;
    this.camera.far = distance * 100;
    this.camera.updateProjectionMatrix();
    this.camera.lookAt(centre);
    if (this.controls) {
      this.controls.target.copy(centre);
      this.controls.update();
    }
  }

  // Marks `point` (scene millimetres) with a dot seen through the parts: where the dialog
  // stands; null takes it away.
  mark(point) {
    if (!this.marker) {
      this.marker = new THREE.Mesh(new THREE.SphereGeometry(1, 16, 12),
                                   new THREE.MeshBasicMaterial({ color: 0xe0402a, depthTest: false }));
      this.marker.renderOrder = 1;
      this.scene.add(this.marker);
    }
    this.marker.visible = !!point;
    if (point) {
      const size = this.model ? new THREE.Box3().setFromObject(this.model).getSize(new THREE.Vector3()).length() : 100;
      this.marker.scale.setScalar(Math.max(size / 150, 0.4));
      this.marker.position.set(point.x, point.y, point.z);
    }
    this.render();
  }

  // The ray under a point of the canvas (client coordinates), in scene millimetres, and the
  // first model point it meets (null when none).
  rayAt(clientX, clientY) {
    const r = this.canvas.getBoundingClientRect();
    const ndc = new THREE.Vector2(((clientX - r.left) / r.width) * 2 - 1,
                                  -((clientY - r.top) / r.height) * 2 + 1);
    const caster = new THREE.Raycaster();
    caster.setFromCamera(ndc, this.camera);
    const hits = this.model ? caster.intersectObject(this.model, true) : [];
    return { origin: caster.ray.origin.clone(), direction: caster.ray.direction.clone(),
             hit: hits.length ? hits[0].point : null };
  }

  // Where the ray meets the ground grid's plane, null when it runs parallel or away from it.
  onGround(ray) {
    const z = this.ground ? this.ground.position.z : 0;
    if (Math.abs(ray.direction.z) < 1e-9) return null;
    const t = (z - ray.origin.z) / ray.direction.z;
    return t > 0 ? ray.origin.clone().addScaledVector(ray.direction, t) : null;
  }
}

// Part names as the glTF loader may give them to its objects: as written, and with blanks and
// some signs replaced.
function nodeNames(names) {
  const all = new Set(names);
  for (const n of names) all.add(THREE.PropertyBinding.sanitizeNodeName(n));
  return all;
}

// The names a mesh answers to: its own and its ancestors', each also without the "_N" the
// loader appends to the N-th piece of a part's mesh.
function ownerNames(mesh) {
  const names = [];
  for (let o = mesh; o; o = o.parent) if (o.name) names.push(o.name, o.name.replace(/_\d+$/, ''));
  return names;
}

function named(mesh, names) { return mesh.userData.names.some((n) => names.has(n)); }
