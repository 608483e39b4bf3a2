// Talking to the server: JSON requests, their errors as messages, and the busy sign shown on
// anything that takes longer than half a second.
const busy = { count: 0, timer: null };

function working(on) {
  const sign = document.getElementById('busy');
  if (on) {
    if (busy.count++ === 0) busy.timer = setTimeout(() => sign && (sign.hidden = false), 500);
  } else if (--busy.count === 0) {
    clearTimeout(busy.timer);
    if (sign) sign.hidden = true;
  }
  document.body.dataset.pending = busy.count;  // requests under way, for tests that wait
}

export class ApiError extends Error {
  constructor(status, message) {
    super(message);
    this.status = status;
  }
}

async function request(url, options) {
  const response = await fetch(url, options);
  if (response.ok) return response;
  let message = `${response.status} ${response.statusText}`;
  try { message = (await response.json()).error || message; } catch (e) { /* not JSON */ }
  throw new ApiError(response.status, message);
}

// Runs `task` (async) counted as one request under way: what it does with the answers (reading
// and drawing them) is waited for as well.
export async function busyWhile(task) {
  working(true);
  try {
    return await task();
  } finally {
    working(false);
  }
}

export async function post(url, body) {
  return busyWhile(async () => (await request(url, {
    method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(body),
  })).json());
}

export async function getJson(url) { return busyWhile(async () => (await request(url)).json()); }

// The bytes of a model, null when the server has none (204).
export async function getModel(url) {
  return busyWhile(async () => {
    const response = await request(url);
    return response.status === 204 ? null : response.arrayBuffer();
  });
}
