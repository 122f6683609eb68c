# A codec that aborts on a file ends only the decoder's helper process: the viewer says which
# transfer syntax it could not open, keeps running, and opens the next file. The helper is made to
# abort through its test switch, as no file is known to make this codec abort through the checks.
cp "$ROOT/samples/compressed/ct-phantom-jpeg-lossless.dcm" "$WORK/samples/lossless.dcm"
export SPECTRUM_DECODER_TEST=abort
start_app
unset SPECTRUM_DECODER_TEST
load "$WORK/samples/lossless.dcm"
text=$(box_text 9-codec-aborted)
case "$text" in
  *"JPEG Lossless SV1"*"$(in_lang "このファイルでデコーダが停止しました (異常終了しました)" \
                                  "the decoder stopped on this file (it aborted)")"*) ;;
  *) die "unexpected message: $text" ;;
esac
kill -0 "$APP_PID" 2>/dev/null || die "the viewer ended with the codec"
xdotool windowactivate --sync "$WID"; sleep 0.3
load "$WORK/samples/ct-phantom-implicit.dcm"
expect_no_box 20 "a good file after the refusal gave a message"
click Form1 ButtonCB
clipboard_to "$WORK/after-abort.txt"
check header "$WORK/samples/ct-phantom-implicit.dcm" "$WORK/after-abort.txt"
shot 9-good-file-after-abort
stop_app
