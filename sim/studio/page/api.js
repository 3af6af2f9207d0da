// Requests to the studio's server. A refused request throws an Error with the server's message.
export async function request(method, path, body, type = 'application/json') {
  const init = { method, headers: {} };
  if (body !== undefined) {
    init.headers['Content-Type'] = type;
    init.body = type === 'application/json' ? JSON.stringify(body) : body;
  }
  const response = await fetch(path, init);
  const text = await response.text();
  if (!response.ok) {
    let message = text;
    try { message = JSON.parse(text).error || text; } catch { /* plain text */ }
    throw new Error(message);
  }
  const contentType = response.headers.get('Content-Type') || '';
  return contentType.startsWith('application/json') ? JSON.parse(text) : text;
}

export function action(kind, fields = {}) {
  return request('POST', 'api/action', { kind, ...fields });
}

let messageTimer;
export function say(text, isError = false) {
  const box = document.getElementById('message');
  box.textContent = text;
  box.classList.toggle('error', isError);
  clearTimeout(messageTimer);
  if (text) messageTimer = setTimeout(() => { box.textContent = ''; }, isError ? 8000 : 4000);
}

// Runs a request, showing its failure instead of losing it.
export async function attempt(work) {
  try {
    return await work();
  } catch (error) {
    say(error.message, true);
    return undefined;
  }
}
