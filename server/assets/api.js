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
  working(true);
  try {
    const response = await fetch(url, options);
    if (response.ok) return response;
    let message = `${response.status} ${response.statusText}`;
    try { message = (await response.json()).error || message; } catch (e) { /* not JSON */ }
    throw new ApiError(response.status, message);
  } finally {
    working(false);
  }
}

export async function post(url, body) {
  const response = await request(url, {
    method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(body),
  });
  return response.json();
}

export async function getJson(url) { return (await request(url)).json(); }

// The bytes of a model, null when the server has none (204).
export async function getModel(url) {
  const response = await request(url);
  return response.status === 204 ? null : response.arrayBuffer();
}
