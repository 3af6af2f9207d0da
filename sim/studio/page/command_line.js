// The command line: any scenario line, run on the live phone through the scenario parser and the runner,
// as `tarvo12-sim run` would run it. Expectations answer passed or failed with the value found; a line
// that does not parse answers with the message and the caret. ↑ and ↓ walk the history.
import { request } from './api.js';

export function createCommandLine(form, input, log) {
  const history = [];
  let place = 0;  // history.length: a new line

  function say(text, kind) {
    const line = document.createElement('div');
    line.className = kind;
    line.textContent = text;
    log.append(line);
    log.scrollTop = log.scrollHeight;
    return line;
  }

  async function run(text) {
    const line = text.trim();
    if (!line) return undefined;
    if (history[history.length - 1] !== line) history.push(line);
    place = history.length;
    say('› ' + line, 'asked');
    let answer;
    try {
      answer = await request('POST', 'api/command', { line });
    } catch (error) {
      say(error.message, 'error');
      return undefined;
    }
    if (answer.error) say(answer.error, 'error');
    else if (answer.passed === true) say('passed' + (answer.found !== undefined ? ': found ' + answer.found : ''), 'passed');
    else if (answer.passed === false) say(answer.message || 'failed', 'failed');
    else say(answer.message || 'done', 'done');
    return answer;
  }

  form.addEventListener('submit', (event) => {
    event.preventDefault();
    const text = input.value;
    input.value = '';
    run(text);
  });
  input.addEventListener('keydown', (event) => {
    if (event.key !== 'ArrowUp' && event.key !== 'ArrowDown') return;
    event.preventDefault();
    place = Math.max(0, Math.min(history.length, place + (event.key === 'ArrowUp' ? -1 : 1)));
    input.value = history[place] ?? '';
  });
  return { run };
}
