"""The Node host library (hosts/node) with the real overlay: a frame sent through it lands on the screen."""

import json
import subprocess

from expect import CAPTURE_WARNING, ROOT, expected_layout, wall_ms
from screen import geometry_frame, geometry_probes, wait_for_picture
from wine_session import WINE_LOADER, wine_path

HOST = ROOT / "hosts/node"


def test_a_frame_sent_through_the_node_library_is_drawn(overlay, tmp_path):
    if not (HOST / "node_modules/ajv").is_dir():
        subprocess.run(["npm", "ci", "--silent"], cwd=HOST, check=True)
    now = wall_ms()
    frame = geometry_frame("top-left", now)
    layout = expected_layout(frame, now)
    node = subprocess.Popen(["node", str(HOST / "fixtures/show_frames.js"), str(overlay.exe), wine_path(overlay.fonts),
                             WINE_LOADER], stdin=subprocess.PIPE, stdout=subprocess.PIPE, env=overlay.wine.env())
    try:
        node.stdin.write(json.dumps(frame).encode() + b"\n")
        node.stdin.flush()
        wait_for_picture(overlay, geometry_probes(layout), box=layout.box(), save_to=tmp_path / "node-host.png")
        out, _ = node.communicate(timeout=30)
    finally:
        node.kill()
    report = json.loads(out)
    assert report["status"] == 0
    assert report["diagnostics"] == [CAPTURE_WARNING.decode().removeprefix("tolmin-overlay: ").rstrip("\n")]
