#pragma once
// The report page's style and script, written into every page so that it needs nothing else.
namespace sim::suite {

inline constexpr const char* kReportStyle = R"css(
body { font: 14px/1.4 system-ui, sans-serif; margin: 0 24px 48px; color: #1d1f24; background: #fafafa; }
header { position: sticky; top: 0; background: #fafafa; padding: 12px 0; border-bottom: 1px solid #ddd; }
h1 { font-size: 20px; margin: 0 0 4px; }
.summary { margin: 0 0 6px; font-weight: 600; }
table { border-collapse: collapse; width: 100%; margin-top: 12px; }
th, td { text-align: left; padding: 4px 8px; vertical-align: top; }
tr.scenario { border-top: 1px solid #e3e3e3; }
td.time { white-space: nowrap; color: #666; }
a { color: #2457c5; margin-right: 6px; }
.badge { display: inline-block; padding: 1px 8px; border-radius: 9px; font-size: 12px; font-weight: 600; color: #fff; }
.badge.passed { background: #2f8f46; } .badge.failed { background: #c62828; }
.badge.xfail { background: #7b6f9e; } .badge.missing { background: #b7791f; }
pre { background: #fff; border: 1px solid #e3e3e3; padding: 6px 8px; overflow-x: auto; margin: 6px 0; }
.frame { margin: 10px 0 18px; }
.frame h3 { font-size: 15px; margin: 4px 0; }
.images { display: flex; flex-wrap: wrap; gap: 14px; align-items: flex-start; }
figure { margin: 0; text-align: center; }
figure img { display: block; max-width: calc((100vw - 140px) / 4); border: 1px solid #ccc; background: repeating-conic-gradient(#eee 0 25%, #fff 0 50%) 0 0 / 16px 16px; }
figure .none { width: 120px; height: 60px; line-height: 60px; border: 1px dashed #bbb; color: #999; }
figcaption { font-size: 12px; color: #555; margin-top: 4px; }
figure.flip img { outline: 2px solid #2457c5; }
body.only-failures tr.passed { display: none; }
)css";

// Flipping swaps the flip view's image between the baseline and the actual frame: a click on the button
// or the image, or every half second while the pointer rests on it.
inline constexpr const char* kReportScript = R"js(
for (const fig of document.querySelectorAll('figure.flip')) {
  const img = fig.querySelector('img'), label = fig.querySelector('span');
  let timer = null;
  const flip = () => {
    const showBaseline = label.textContent === 'actual';
    img.src = showBaseline ? img.dataset.baseline : img.dataset.actual;
    label.textContent = showBaseline ? 'baseline' : 'actual';
  };
  fig.querySelector('button').addEventListener('click', flip);
  img.addEventListener('click', flip);
  img.addEventListener('mouseenter', () => { timer = setInterval(flip, 500); });
  img.addEventListener('mouseleave', () => { clearInterval(timer); timer = null; });
}
document.getElementById('only-failures').addEventListener('change', (e) => {
  document.body.classList.toggle('only-failures', e.target.checked);
});
)js";

}  // namespace sim::suite
