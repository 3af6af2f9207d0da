// The command line: any scenario line, run on the live phone through the scenario parser and the runner,
// as `tarvo12-sim run` would run it. Expectations answer passed or failed with the value found; a line
// that does not parse answers with the message and the caret. ↑ and ↓ walk the history.
import { request } from './api.js';

export function createCommandLine(form, input, log) {
  const history = [];
  let place = 0;  // history.length: a new line
  let draft = '';  // what was typed before walking the history

  function say(text, kind) {
    const line = document.createElement('div');
    line.className = kind;
    line.textContent = text;
    log.append(line);
    log.scrollTop = log.scrollHeight;
    return line;
  }

  function report(result) {
    if (result.later) return say(`${result.line}  ·  due later: it runs when the phone gets there`, 'done');
    if (result.expectation && result.passed)
      return say('passed' + (result.found !== undefined ? ': found ' + result.found : ''), 'passed');
    if (result.expectation) return say('failed: ' + result.failure, 'failed');
    if (result.failure) return say(result.failure, 'failed');
    return say(result.line + (result.snapshot ? '  ·  the HUD fields are in the trace' : ''), 'done');
  }

  async function run(text) {
    const line = text.trim();
    if (!line) return undefined;
    if (history[history.length - 1] !== line) history.push(line);
    place = history.length;
    draft = '';
    say('› ' + line, 'asked');
    let answer;
    try {
      answer = await request('POST', 'api/line', { line });
    } catch (error) {
      say(error.message, 'error');
      return undefined;
    }
    if (!answer.results.length) say('nothing to run', 'done');
    for (const result of answer.results) report(result);
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
    if (place === history.length) draft = input.value;
    place = Math.max(0, Math.min(history.length, place + (event.key === 'ArrowUp' ? -1 : 1)));
    input.value = place === history.length ? draft : history[place];
  });
  return { run };
}
