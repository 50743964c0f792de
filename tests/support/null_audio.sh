#!/usr/bin/env bash
# A private sound server with a null output for the tests that really play music: `null_audio.sh start DIR`
# starts PulseAudio with DIR as its runtime folder (point XDG_RUNTIME_DIR there), `stop DIR` ends it. Without
# PulseAudio installed nothing starts, and those tests take the path of a machine without audio output.
set -u
action=$1
dir=$2
command -v pulseaudio >/dev/null 2>&1 || exit 0
export XDG_RUNTIME_DIR=$dir
case $action in
  start)
    mkdir -p "$dir" && chmod 700 "$dir"
    pulseaudio --kill >/dev/null 2>&1
    # -n: no default configuration (no real devices); root is warned about but allowed.
    pulseaudio -n --daemonize=yes --exit-idle-time=-1 --use-pid-file=yes \
      --load="module-null-sink sink_name=norva_tests" --load=module-native-protocol-unix \
      >/dev/null 2>&1 || echo "null_audio: PulseAudio did not start; the tests run without audio output" >&2
    ;;
  stop)
    pulseaudio --kill >/dev/null 2>&1
    ;;
esac
exit 0
