<!DOCTYPE html>
<html lang="zh-CN">
<head><meta charset="utf-8"><title>卡片制作器使用说明</title></head>
<body style="font-family: 'AR PL UMing CN', serif; max-width: 720px; margin: 24px auto; line-height: 1.7">
<h1>如何使用卡片制作器</h1>
<ol>
  <li>打开需要替换的卡片图片文件：选择 images\card 下任意大小的卡片图片，预览图中会显示卡片的大图。</li>
  <li>打开准备换上的图片文件：主窗口显示您的图片和选择框，拖动选择框决定卡片画面中显示的部分。</li>
  <li>工具栏的“图片缩放”滑块向“缩小”一端拖动可以缩小图片。</li>
  <li>勾选“更换卡片人物”后可以填写人名、动画名、声优和简介，按“预览”查看效果；“选择字体”可以更换字体。</li>
  <li>生成新的卡片文件：六个图片文件保存在 maker 目录中，可以选择立刻替换游戏中原有的文件。</li>
</ol>
</body>
</html>
