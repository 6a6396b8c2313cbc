# Sourced by wine-run, with WINEPREFIX set. Wine's sound goes to a file instead of hardware: a
# build machine has no sound card, and a test can only check what it can read back. ALSA's
# default device converts every stream to 16-bit stereo at 48 kHz and writes it as a WAV file
# to $ZENTRAVA_AUDIO_CAPTURE, through a null device that takes everything at once. Since that
# device never waits, Wine hands a sound over in bursts faster than real time, with silence
# between them: the capture's level and pitch are faithful, its timing is not. Every stream
# that opens the device starts the file anew, so it holds the most recent one. The
# configuration replaces the machine's for the Wine processes only (ALSA_CONFIG_PATH); it and
# the capture live beside the prefix.
zentrava_audio_dir="$WINEPREFIX-audio"
export ZENTRAVA_AUDIO_CAPTURE="$zentrava_audio_dir/capture.wav"
export ALSA_CONFIG_PATH="$zentrava_audio_dir/asound.conf"
zentrava_audio_conf=$(cat <<CONF
pcm.!default {
    type plug
    slave {
        pcm "zentrava_capture"
        format S16_LE
        rate 48000
        channels 2
    }
}
pcm.zentrava_capture {
    type file
    slave.pcm "zentrava_discard"
    file "$ZENTRAVA_AUDIO_CAPTURE"
    format "wav"
}
pcm.zentrava_discard {
    type null
}
CONF
)
# Rewritten only when it changes, and atomically: parallel tests read it while one writes.
if [ "$(cat "$ALSA_CONFIG_PATH" 2>/dev/null)" != "$zentrava_audio_conf" ]; then
    mkdir -p "$zentrava_audio_dir"
    printf '%s\n' "$zentrava_audio_conf" >"$ALSA_CONFIG_PATH.$$"
    mv -f "$ALSA_CONFIG_PATH.$$" "$ALSA_CONFIG_PATH"
fi
