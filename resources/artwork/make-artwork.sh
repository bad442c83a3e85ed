#!/usr/bin/env bash
# Makes the launcher's artwork: every picture of the skin, drawn from scratch with ImageMagick 6.
# The JPEGs are committed, so a build never needs ImageMagick; run this again only to change
# the look. Usage: resources/artwork/make-artwork.sh [output folder, default: this folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

# The skin's palette.
GREEN='#a6c162'      # group captions (166,193,98)
LIME='#bceb6d'       # headings (188,235,109)
FRAME='#1c5180'      # selection frame (28,81,128)
HILITE='#21a121'     # selection highlight (33,161,33)
AMBER='#ffc73c'      # hot track (255,199,60)
BAR='#212322'        # navigation bar (33,35,34)
SILVER='#c0c0c0'
BOLD=DejaVu-Sans-Bold
COND=DejaVu-Sans-Condensed-Bold
Q=(-quality 92 -sampling-factor 1x1 -strip)

# A dark brushed-metal texture of the given size.
texture() {  # texture W H TOP BOTTOM FILE
  convert -size "$1x$2" gradient:"$3"-"$4" \
    \( -size "$1x$2" xc:gray50 -attenuate 0.35 +noise Gaussian -colorspace gray \
       -motion-blur 0x6+0 -level 35%,65% \) -compose softlight -composite \
    \( -size "$1x$2" pattern:horizontal2 -negate -alpha set -channel A -evaluate set 4% +channel \) \
    -compose over -composite "$5"
}

# The trifocal emblem: a metal plate with three glowing lenses, on transparency.
emblem() {  # emblem SCALE FILE
  local s=$1
  convert -size $((120*s/10))x$((80*s/10)) xc:none \
    -fill '#1b1e1d' -stroke '#3a3f3c' -strokewidth 1 \
    -draw "roundrectangle $((6*s/10)),$((10*s/10)) $((114*s/10)),$((70*s/10)) $((18*s/10)),$((18*s/10))" \
    -fill '#0b0d0c' -stroke '#4d5550' \
    -draw "circle $((36*s/10)),$((40*s/10)) $((36*s/10)),$((20*s/10))" \
    -draw "circle $((84*s/10)),$((40*s/10)) $((84*s/10)),$((20*s/10))" \
    -draw "circle $((60*s/10)),$((24*s/10)) $((60*s/10)),$((14*s/10))" \
    lens_base.png
  convert -size $((120*s/10))x$((80*s/10)) xc:none -fill "$LIME" -stroke none \
    -draw "circle $((36*s/10)),$((40*s/10)) $((36*s/10)),$((29*s/10))" \
    -draw "circle $((84*s/10)),$((40*s/10)) $((84*s/10)),$((29*s/10))" \
    -draw "circle $((60*s/10)),$((24*s/10)) $((60*s/10)),$((19*s/10))" \
    \( +clone -blur 0x$((6*s/10+1)) \) -compose screen -composite lens_glow.png
  convert -size $((120*s/10))x$((80*s/10)) xc:none -fill '#ffffffb0' -stroke none \
    -draw "circle $((33*s/10)),$((36*s/10)) $((33*s/10)),$((34*s/10))" \
    -draw "circle $((81*s/10)),$((36*s/10)) $((81*s/10)),$((34*s/10))" \
    -draw "circle $((58*s/10)),$((22*s/10)) $((58*s/10)),$((21*s/10))" lens_spark.png
  convert lens_base.png lens_glow.png -compose over -composite lens_spark.png -composite "$2"
}

# ---- background, 503 x 488 -------------------------------------------------------------------
texture 503 488 '#1a1d1f' '#060707' bg.png
convert bg.png \
  -fill '#0000004a' -stroke none -draw "rectangle 0,0 502,126" \
  -stroke "$GREEN" -strokewidth 1 -draw "line 0,126 502,126" \
  -stroke '#00000090' -draw "line 0,127 502,127" \
  -stroke '#3c423e' -fill none -draw "rectangle 0,0 502,487" \
  -stroke '#000000' -draw "rectangle 1,1 501,486" \
  -stroke "$GREEN" -strokewidth 2 \
  -draw "polyline 4,22 4,4 22,4" -draw "polyline 480,483 498,483 498,465" \
  -draw "polyline 4,465 4,483 22,483" \
  bg1.png
# The plate behind the exit and minimise pictures.
convert bg1.png -fill '#0d0f0e' -stroke '#3a403c' -strokewidth 1 \
  -draw "roundrectangle 444,3 492,33 6,6" bg2.png
# Recesses under the navigation bar, the page area and the run button.
convert bg2.png \
  -fill '#000000' -stroke "$FRAME" -strokewidth 1 -draw "roundrectangle 169,143 486,478 6,6" \
  -stroke '#0e2a44' -fill none -draw "roundrectangle 167,141 488,480 8,8" \
  -fill "$BAR" -stroke '#3c423e' -draw "rectangle 22,220 149,436" \
  -fill '#08090a' -stroke '#3c423e' -draw "roundrectangle 34,435 146,474 8,8" \
  bg3.png
# A soft blue glow round the page area.
convert -size 503x488 xc:none -fill none -stroke "$FRAME" -strokewidth 4 \
  -draw "roundrectangle 168,142 487,479 7,7" -blur 0x5 glow.png
convert bg3.png glow.png -compose screen -composite bg4.png
# Header: emblem, title and subtitle.
emblem 10 emb.png
convert emb.png -resize 96x64 emb_s.png
convert -background none -fill "$LIME" -font "$BOLD" -pointsize 38 -kerning 3 label:'TAVORIN' \
  \( +clone -blur 0x4 \) +swap -background none -layers merge +repage title.png
convert -background none -fill "$SILVER" -font "$COND" -pointsize 11 -kerning 2.2 \
  label:'SPLINTER CELL  CHAOS THEORY  BENCHMARK' sub.png
convert -background none -fill '#6f7872' -font DejaVu-Sans -pointsize 9 -kerning 1.5 \
  label:'PERFORMANCE LAB  ·  TIMEDEMO SUITE' sub2.png
convert bg4.png emb_s.png -geometry +22+30 -compose over -composite \
  title.png -geometry +128+26 -composite \
  sub.png -geometry +131+76 -composite \
  sub2.png -geometry +131+95 -composite bg5.png
# Left column: a small level meter above the navigation bar.
convert bg5.png -fill '#0b0d0c' -stroke '#2e3430' -draw "roundrectangle 22,146 149,210 5,5" \
  -stroke none \
  -fill "$HILITE" -draw "rectangle 34,188 44,200" -draw "rectangle 48,180 58,200" \
  -fill "$GREEN" -draw "rectangle 62,170 72,200" -draw "rectangle 76,162 86,200" \
  -fill "$AMBER" -draw "rectangle 90,174 100,200" \
  -fill '#2b302d' -draw "rectangle 104,184 114,200" -draw "rectangle 118,192 128,200" \
  -fill '#7c867f' -font "$COND" -pointsize 9 -kerning 1.2 -draw "text 32,160 'FRAME RATE'" \
  -fill "$GREEN" -stroke none -draw "circle 136,156 136,153" \
  bg6.png
convert -size 503x488 xc:none -fill "$GREEN" -draw "circle 136,156 136,152" -blur 0x3 dot.png
convert bg6.png dot.png -compose screen -composite -crop 503x488+0+0 +repage \
  "${Q[@]}" "$out/background.jpg"

# Crops of the finished background, under the picture buttons.
crop() { convert "$out/background.jpg" -crop "$1" +repage "$2"; }

# ---- exit 17 x 19 and minimise 16 x 13 --------------------------------------------------------
crop 17x19+470+8 exit_bg.png
convert exit_bg.png -fill '#1c0f0f' -stroke '#7a2a22' -draw "roundrectangle 0,1 16,17 3,3" \
  -stroke "$SILVER" -strokewidth 2 -draw "line 5,6 11,12" -draw "line 11,6 5,12" \
  "${Q[@]}" "$out/exit.jpg"
crop 16x13+450+16 min_bg.png
convert min_bg.png -fill '#121514' -stroke '#3f4742' -draw "roundrectangle 0,0 15,12 3,3" \
  -stroke "$SILVER" -strokewidth 2 -draw "line 4,8 11,8" \
  "${Q[@]}" "$out/minimize.jpg"

# ---- run button 101 x 29: normal, hover, down -------------------------------------------------
crop 101x29+40+440 run_bg.png
runbtn() {  # runbtn TOP BOTTOM BORDER TEXT DX DY FILE
  convert -size 101x29 gradient:"$1"-"$2" \
    \( -size 101x29 xc:black -fill white -draw "roundrectangle 0,0 100,28 12,12" \) \
    -alpha off -compose copyopacity -composite btn.png
  convert run_bg.png btn.png -compose over -composite \
    -fill none -stroke "$3" -strokewidth 1 -draw "roundrectangle 0,0 100,28 12,12" \
    -stroke none -fill "$4" -draw "polygon $((12+$5)),$((9+$6)) $((12+$5)),$((19+$6)) $((20+$5)),$((14+$6))" \
    -font "$COND" -pointsize 10 -kerning 0.2 -fill "$4" -draw "text $((27+$5)),$((18+$6)) 'BENCHMARK'" \
    "${Q[@]}" "$7"
}
runbtn '#33402a' '#151a12' "$GREEN" "$LIME" 0 0 "$out/run-normal.jpg"
runbtn '#4a5c35' '#1e2617' "$AMBER" "$AMBER" 0 0 "$out/run-hover.jpg"
runbtn '#10140d' '#2a3522' "$GREEN" "$GREEN" 1 1 "$out/run-down.jpg"

# ---- about picture 218 x 98 -------------------------------------------------------------------
texture 218 98 '#1b1f1c' '#050606' about_bg.png
emblem 10 emb2.png
convert emb2.png -resize 84x56 emb2_s.png
convert -background none -fill "$LIME" -font "$BOLD" -pointsize 19 -kerning 1.5 label:'TAVORIN' \
  \( +clone -blur 0x3 \) +swap -background none -layers merge +repage about_title.png
convert about_bg.png -fill none -stroke "$FRAME" -draw "roundrectangle 0,0 217,97 6,6" \
  emb2_s.png -geometry +6+20 -compose over -composite \
  about_title.png -geometry +92+20 -composite \
  -stroke none -font "$COND" -pointsize 9 -kerning 1 -fill "$SILVER" -draw "text 95,64 'SPLINTER CELL CT'" \
  -fill "$GREEN" -draw "text 95,77 'BENCHMARK'" \
  "${Q[@]}" "$out/about.jpg"

# ---- sponsor logo 84 x 93 ---------------------------------------------------------------------
convert -size 84x93 gradient:'#141816'-'#040505' \
  -fill '#0f1a24' -stroke "$FRAME" -strokewidth 2 \
  -draw "polygon 42,6 72,20 72,48 42,64 12,48 12,20" \
  -fill none -stroke '#3b7fbf' -strokewidth 1 -draw "polygon 42,12 66,23 66,45 42,58 18,45 18,23" \
  -stroke none -fill "$LIME" -font "$BOLD" -pointsize 20 -draw "text 26,43 'HS'" \
  -fill "$SILVER" -font "$COND" -pointsize 10 -kerning 1 -draw "text 11,80 'HALVARD'" \
  -fill '#7c867f' -pointsize 7 -kerning 1.2 -draw "text 16,89 'SYSTEMS'" \
  "${Q[@]}" "$out/sponsor.jpg"

# ---- tool button icons, 16 x 16 on the page's black -------------------------------------------
convert -size 16x16 xc:black -stroke none -fill '#8a6d1f' -draw "rectangle 1,3 7,5" \
  -fill '#d9a93a' -draw "rectangle 1,5 14,13" -fill '#f2c95a' -draw "polygon 1,13 4,7 15,7 14,13" \
  "${Q[@]}" "$out/icon-browse.jpg"
convert -size 64x64 xc:black -fill none -stroke "$LIME" -strokewidth 7 \
  -draw "arc 10,10 54,54 200,340" -draw "arc 10,10 54,54 20,160" -stroke none -fill "$LIME" \
  -draw "polygon 44,2 62,18 40,22" -draw "polygon 20,62 2,46 24,42" -resize 16x16 \
  "${Q[@]}" "$out/icon-update.jpg"
convert -size 64x64 xc:black -fill '#d8dcd8' -stroke none -draw "rectangle 4,14 60,50" \
  -fill none -stroke '#4a6a8a' -strokewidth 5 -draw "polyline 4,14 32,36 60,14" \
  -resize 16x16 "${Q[@]}" "$out/icon-email.jpg"
convert -size 64x64 xc:black -fill '#2f6fb0' -stroke '#8fc0ef' -strokewidth 3 \
  -draw "circle 32,32 32,4" -stroke none -fill white -draw "circle 32,18 32,13" \
  -draw "roundrectangle 27,26 37,52 3,3" -resize 16x16 "${Q[@]}" "$out/icon-info.jpg"

# ---- splash 640 x 480 -------------------------------------------------------------------------
texture 640 480 '#121514' '#030404' sp_bg.png
emblem 30 emb3.png
convert -size 640x480 xc:none -fill none -stroke "$LIME" -strokewidth 1 \
  -draw "circle 320,170 320,20" -draw "circle 320,170 320,60" -draw "line 120,170 520,170" \
  -draw "line 320,10 320,330" -alpha set -channel A -evaluate multiply 0.18 +channel rings.png
convert -background none -fill "$LIME" -font "$BOLD" -pointsize 64 -kerning 8 label:'TAVORIN' \
  \( +clone -blur 0x7 \) +swap -background none -layers merge +repage sp_title.png
convert -background none -fill "$SILVER" -font "$COND" -pointsize 17 -kerning 4 \
  label:"SPLINTER CELL  CHAOS THEORY" sp_sub.png
convert -background none -fill "$GREEN" -font "$COND" -pointsize 15 -kerning 9 \
  label:'BENCHMARK' sp_sub2.png
convert -background none -fill '#7c867f' -font DejaVu-Sans -pointsize 10 -kerning 1 \
  label:'Looking for the game and loading your settings...' sp_load.png
convert sp_bg.png rings.png -compose screen -composite \
  emb3.png -gravity north -geometry +0+50 -compose over -composite \
  sp_title.png -gravity north -geometry +0+292 -composite \
  sp_sub.png -gravity north -geometry +0+372 -composite \
  sp_sub2.png -gravity north -geometry +0+398 -composite \
  sp_load.png -gravity north -geometry +0+448 -composite \
  -gravity northwest -fill none -stroke "$FRAME" -strokewidth 2 -draw "rectangle 1,1 638,478" \
  -stroke "$GREEN" -strokewidth 3 -draw "polyline 8,40 8,8 40,8" -draw "polyline 600,8 631,8 631,40" \
  -draw "polyline 8,440 8,471 40,471" -draw "polyline 600,471 631,471 631,440" \
  "${Q[@]}" "$out/splash.jpg"

# ---- update wizard side pictures, 118 x 218 -------------------------------------------------
# The launcher's own, in the skin's look: the emblem above a download arrow into a tray.
texture 118 218 '#1b1f1c' '#050606' side_bg.png
emblem 10 emb4.png
convert emb4.png -resize 96x64 emb4_s.png
convert -size 118x218 xc:none -fill none -stroke "$LIME" -strokewidth 1 \
  -draw "circle 59,124 59,84" -draw "circle 59,124 59,100" -draw "line 59,70 59,178" \
  -alpha set -channel A -evaluate multiply 0.16 +channel side_rings.png
convert -size 118x218 xc:none -stroke none -fill "$LIME" \
  -draw "polygon 51,100 67,100 67,122 78,122 59,142 40,122 51,122" \
  -fill none -stroke "$GREEN" -strokewidth 3 \
  -draw "line 34,138 34,152" -draw "line 34,152 84,152" -draw "line 84,152 84,138" \
  \( +clone -blur 0x3 \) -compose screen -composite side_arrow.png
convert -background none -fill "$LIME" -font "$BOLD" -pointsize 15 -kerning 2 label:'TAVORIN' side_title.png
convert -background none -fill "$SILVER" -font "$COND" -pointsize 9 -kerning 2 label:'ONLINE UPDATE' side_sub.png
convert side_bg.png side_rings.png -compose screen -composite \
  emb4_s.png -gravity north -geometry +0+12 -compose over -composite \
  side_arrow.png -gravity northwest -geometry +0+0 -composite \
  side_title.png -gravity north -geometry +0+174 -composite \
  side_sub.png -gravity north -geometry +0+196 -composite \
  -gravity northwest -fill none -stroke "$FRAME" -strokewidth 1 -draw "rectangle 0,0 117,217" \
  "${Q[@]}" "$out/update-side.jpg"
# The wizard's own default, neutral for any program: a pale sky with a download arrow.
convert -size 118x218 gradient:'#e9eef4'-'#9fb3c8' \
  -stroke none -fill '#ffffff80' -draw "ellipse 30,40 40,14 0,360" -draw "ellipse 84,64 30,10 0,360" \
  -fill '#3b6ea5' -draw "polygon 49,92 69,92 69,122 84,122 59,150 34,122 49,122" \
  -fill none -stroke '#2a4f78' -strokewidth 4 \
  -draw "line 26,146 26,166" -draw "line 26,166 92,166" -draw "line 92,166 92,146" \
  -stroke '#ffffff' -strokewidth 1 -draw "line 0,217 117,217" \
  "${Q[@]}" "$out/update-side-default.jpg"

# ---- update icons, 32 x 32 with transparency ---------------------------------------------------
# The upgrade question: a blue badge with a question mark and a green download arrow.
convert -size 128x128 xc:none -fill '#2f6fb0' -stroke '#1b4a7a' -strokewidth 6 \
  -draw "circle 60,60 60,8" -stroke none -fill white -font "$BOLD" -pointsize 80 \
  -gravity center -annotate -4-4 '?' -gravity northwest \
  -fill '#2f9a2f' -stroke '#ffffff' -strokewidth 5 \
  -draw "polygon 90,70 112,70 112,94 124,94 101,122 78,94 90,94" \
  -resize 32x32 question.png
convert question.png "$out/update-question.ico"
# The password dialog: a golden key.
convert -size 128x128 xc:none -fill '#e0b23a' -stroke '#7a5a12' -strokewidth 5 \
  -draw "polygon 52,62 64,50 116,102 116,116 104,116 98,110 90,118 82,110 88,104 80,96 72,104 64,96 70,90 52,72" \
  -draw "circle 40,44 40,12" -fill none -draw "circle 34,38 34,28" \
  -stroke '#fff2b0' -strokewidth 3 -draw "arc 18,22 62,66 200,260" \
  -resize 32x32 key.png
convert key.png "$out/update-password.ico"

# ---- program icon (16, 32 and 48 pixels) ------------------------------------------------------
convert -size 48x48 xc:'#0b0d0c' -fill none -stroke "$GREEN" -draw "roundrectangle 0,0 47,47 8,8" \
  \( emb.png -trim +repage -resize 44x44 \) -gravity center -compose over -composite \
  \( +clone -resize 32x32 \) \( -clone 0 -resize 16x16 \) "$out/lumenrig.ico"
echo "artwork written to $out"
