<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="utf-8">
<title>Lumenfold 卡片制作器</title>
<style>
  body { margin: 0; font-family: "AR PL UMing CN", "宋体", serif; background: #1d2540; color: #e8e6f0; }
  header { padding: 18px 24px; background: linear-gradient(#3b4a80, #1d2540); }
  h1 { margin: 0; font-size: 26px; letter-spacing: 2px; }
  main { padding: 8px 24px; font-size: 15px; line-height: 1.7; }
  ol { padding-left: 22px; }
  .note { margin-top: 12px; padding: 8px 12px; background: #2c365c; border-left: 4px solid #e0b84a; }
  a { color: #ffd97a; }
</style>
</head>
<body>
<header><h1>Lumenfold 卡片制作器</h1></header>
<main>
  <p>欢迎使用卡片制作器！您可以把自己喜欢的图片和文字换到游戏中的卡片上。</p>
  <ol>
    <li>菜单“卡片编辑”→“打开需要替换的卡片图片文件”，选择游戏目录 images\card 下的卡片图片。</li>
    <li>菜单“卡片编辑”→“打开准备换上的图片文件”，选择您的图片，拖动选择框挑选要放进卡片的部分。</li>
    <li>在“工具栏”中调整缩放，勾选“更换卡片人物”并填写人名、动画名、声优、简介和能力，按“预览”。</li>
    <li>菜单“卡片编辑”→“生成新的卡片文件”，六个卡片图片文件会保存在 maker 目录中。</li>
  </ol>
  <div class="note">做好的卡片图案可以在游戏的卡片商店中发布出售，也可以购买其他玩家制作的卡片。
    详细说明请看 <a href="help/kpsd.php">卡片商店帮助</a>。</div>
</main>
</body>
</html>
