#!/bin/bash
# Makes every media file of Wordnest into resources/ and the contact sheet
# into docs/.  Run install-deps.sh once first.  Usage: make-media.sh
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
res=$root/resources
twemoji=$here/node_modules/@twemoji/svg
pico=$here/cache/pico

for tool in rsvg-convert convert sox soxi node /usr/bin/python3; do
    command -v "$tool" >/dev/null ||
        { echo "missing $tool: run tools/media/install-deps.sh" >&2; exit 1; }
done
[ -f "$twemoji/1f6cf.svg" ] && [ -f "$pico/en-US_ta.bin" ] ||
    { echo "missing Twemoji or Pico voice: run tools/media/install-deps.sh" >&2
      exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Same results whatever the caller's locale or time zone.
export LC_ALL=C.UTF-8 TZ=UTC SOURCE_DATE_EPOCH=0

echo "== strings"
# First: the recordings follow the word lists.
mkdir -p "$res/strings"
# No trailing newline: the game compares these texts as they are.
printf '%s' 'bed,bookcase,bread,broom,chair,clock,computer,cup,door,drawing,drum,flower,jam,milk,mirror,phone,piano,sofa,table,window' \
    > "$res/strings/101.txt"
# The other word sets' lists come from the tool that draws their pictures.
/usr/bin/python3 "$here/setart.py" "$res/strings"
# Each set's words in Chinese, in its list's order, for the grown-ups (string 400 + set).
printf '%s' '床,书架,面包,扫帚,椅子,钟,电脑,杯子,门,画,鼓,花,果酱,牛奶,镜子,电话,钢琴,沙发,桌子,窗户' > "$res/strings/401.txt"
printf '%s' '猫,狗,鸟,鱼,鸭子,奶牛,猪,马,羊,兔子,老鼠,青蛙,狮子,老虎,大象,猴子,熊,蛇,长颈鹿,斑马' > "$res/strings/402.txt"
printf '%s' '苹果,香蕉,橙子,葡萄,梨,柠檬,樱桃,桃子,鸡蛋,蛋糕,米饭,奶酪,胡萝卜,西红柿,玉米,披萨,饼干,土豆,面条,冰淇淋' > "$res/strings/403.txt"
printf '%s' '球,娃娃,风筝,玩具熊,积木,气球,悠悠球,拼图,机器人,木偶,滑梯,秋千,跷跷板,泡泡,蜡笔,骰子,弹珠,哨子,吉他,轮滑鞋' > "$res/strings/404.txt"
printf '%s' '帽子,鸭舌帽,外套,连衣裙,衬衫,裙子,袜子,鞋子,靴子,手套,围巾,牛仔裤,短裤,毛衣,睡衣,腰带,领带,眼镜,凉鞋,泳衣' > "$res/strings/405.txt"
printf '%s' '小汽车,公共汽车,火车,飞机,船,自行车,卡车,火箭,太阳,月亮,星星,云,彩虹,雪人,雨伞,树,树叶,房子,桥,山' > "$res/strings/406.txt"
printf '%s' '354,298,284,292' > "$res/strings/300.txt"
printf '%s' '361,396,130,340' > "$res/strings/301.txt"
printf '%s' '378,392,333,279' > "$res/strings/302.txt"
printf '%s' '280,366,290,187' > "$res/strings/303.txt"

echo "== pictures"
/usr/bin/python3 "$here/pictures.py" "$twemoji" "$res" "$work/pictures"

echo "== recordings"
"$here/sounds.sh" "$pico" "$res/strings" "$res/recordings" "$work/sounds"

echo "== contact sheet"
mkdir -p "$root/docs"
/usr/bin/python3 "$here/contact_sheet.py" "$res" "$root/docs/contact-sheet.png" \
    "$work/sheet"
/usr/bin/python3 "$here/set_sheets.py" "$res" "$root/docs/sets" "$work/sets"

echo "done: $(find "$res" -type f | wc -l) files in resources/"
